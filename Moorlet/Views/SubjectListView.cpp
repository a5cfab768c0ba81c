#include "Moorlet/Views/SubjectListView.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace moorlet {

namespace {

constexpr double kSymbolSize = 11;
constexpr double kSymbolWidth = 24;
constexpr double kGap = 6;
constexpr double kActiveFillOpacity = 0.1;
constexpr double kActiveRadius = 8;
const veltrane::TypeStyle kTitleStyle { 13, QFont::Normal, veltrane::FontDesign::rounded, false };
const veltrane::TypeStyle kNoteStyle { 10, QFont::Normal, veltrane::FontDesign::rounded, false };

} // namespace

SubjectListView::SubjectListView(ViewContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setAutoFillBackground(false);
    setCursor(Qt::PointingHandCursor);
    reload();
}

void SubjectListView::reload()
{
    const FocusSettings& settings = m_context.controller.focusSettings();
    const QString logged = m_context.controller.loggedSubject();
    const QStringList subjects = settings.subjects();
    m_entries.clear();
    if (settings.defaultSubject().isEmpty())
        m_entries.push_back({ QString(), CardTexts::kNoSubject });
    if (!logged.isEmpty() && !subjects.contains(logged))
        m_entries.push_back({ logged, logged, logged == settings.defaultSubject() });
    for (const QString& subject : subjects)
        m_entries.push_back({ subject, subject, subject == settings.defaultSubject() });
    setFixedHeight(static_cast<int>(m_entries.size()) * kRowHeight);
    updateGeometry();
    update();
}

QSize SubjectListView::sizeHint() const
{
    return { width(), static_cast<int>(m_entries.size()) * kRowHeight };
}

QRectF SubjectListView::rowRect(int index) const
{
    return { 0, static_cast<double>(index * kRowHeight), static_cast<double>(width()), kRowHeight };
}

void SubjectListView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    const QString logged = m_context.controller.loggedSubject();
    const QFont titleFont = kTitleStyle.font();
    const QFont noteFont = kNoteStyle.font();
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const Entry& entry = m_entries[static_cast<std::size_t>(i)];
        const QRectF row = rowRect(i);
        const bool active = entry.subject == logged;
        if (active) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(veltrane::withOpacity(accent, kActiveFillOpacity));
            painter.drawRoundedRect(row, kActiveRadius, kActiveRadius);
        }
        veltrane::SymbolPainter::paint(painter, QPointF(kSymbolWidth / 2, row.center().y()), kSymbolSize,
            QStringLiteral("tag.fill"), active ? accent : palette.textTertiary);
        double right = row.right() - kGap;
        if (entry.isDefault) {
            const double width = QFontMetricsF(noteFont).horizontalAdvance(CardTexts::kDefaultSubjectNote);
            painter.setFont(noteFont);
            painter.setPen(palette.textTertiary);
            painter.drawText(QRectF(right - width, row.top(), width, row.height()), Qt::AlignRight | Qt::AlignVCenter,
                CardTexts::kDefaultSubjectNote);
            right -= width + kGap;
        }
        painter.setFont(titleFont);
        painter.setPen(entry.subject.isEmpty() ? palette.textSecondary : palette.textPrimary);
        drawElidedText(painter, QRectF(kSymbolWidth + kGap / 2, row.top(), right - kSymbolWidth - kGap / 2, row.height()),
            Qt::AlignLeft | Qt::AlignVCenter, entry.title);
    }
}

std::optional<int> SubjectListView::rowAt(QPointF point) const
{
    const int index = static_cast<int>(point.y()) / kRowHeight;
    if (point.y() < 0 || index >= static_cast<int>(m_entries.size()) || point.x() < 0 || point.x() > width())
        return std::nullopt;
    return index;
}

void SubjectListView::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? rowAt(event->position()) : std::nullopt;
    event->setAccepted(m_pressed.has_value());
}

void SubjectListView::mouseReleaseEvent(QMouseEvent* event)
{
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (event->button() != Qt::LeftButton || !pressed || rowAt(event->position()) != pressed)
        return;
    m_context.controller.setCurrentSubject(m_entries[static_cast<std::size_t>(*pressed)].subject);
    emit chosen();
}

} // namespace moorlet
