#include "Moorlet/Views/NowPlayingView.h"

#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewContext.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QHash>
#include <QPainter>

namespace moorlet {

namespace {

namespace Typography = veltrane::DesignTokens::Typography;

constexpr double kPlayerSymbolSize = 14;
constexpr double kControlSymbolSize = 12;
constexpr double kTextGap = 8;
constexpr double kTitleLineHeight = 16;
constexpr double kArtistLineHeight = 14;
// An offer to open a player runs over two lines at most.
constexpr int kOfferMaxLines = 2;
// What the media row shows for the music player, and without any player.
const QString kMusicSymbol = symbolName(MediaPlayer::music);

namespace Spacing = veltrane::DesignTokens::Spacing;
using Kind = CardTarget::Kind;
constexpr Kind kControls[] = { Kind::previousTrack, Kind::playPause, Kind::nextTrack };

double textLeft(const QRectF& row)
{
    return row.left() + kPlayerSymbolSize + kTextGap;
}

} // namespace

NowPlayingView::NowPlayingView(ViewContext& context)
    : m_context(context)
{
}

void NowPlayingView::shown()
{
    if (m_polling || !m_context.media)
        return;
    m_polling = true;
    m_context.media->startPolling();
}

QStringList NowPlayingView::offerLines(const MediaController& media, int index)
{
    const auto& players = media.connectablePlayers();
    if (index < 0 || index >= static_cast<int>(players.size()))
        return {};
    const QString prompt = CardTexts::openPlayerPrompt(media.displayName(players[static_cast<std::size_t>(index)]));
    // The row is painted with the ring's glow many times a second and measured for every layout:
    // each prompt is wrapped once. Players come and go rarely; the cache stays small.
    static QHash<QString, QStringList> wrapped;
    auto known = wrapped.constFind(prompt);
    if (known == wrapped.constEnd()) {
        if (wrapped.size() > 64)
            wrapped.clear();
        const double width = WidgetMetrics::expanded.width - 2 * Spacing::lg - (kPlayerSymbolSize + kTextGap);
        known = wrapped.insert(prompt, wrappedLines(prompt, Typography::label().font(), width, kOfferMaxLines));
    }
    return *known;
}

double NowPlayingView::offersHeight(const MediaController* media)
{
    if (!media || media->player())
        return 0;
    double height = 0;
    for (int i = 0; i < static_cast<int>(media->connectablePlayers().size()); ++i)
        height += (i > 0 ? kOfferGap : 0) + static_cast<double>(offerLines(*media, i).size()) * kOfferLineHeight;
    return height;
}

QRectF NowPlayingView::targetRect(const QRectF& row, const CardTarget& target) const
{
    if (target.kind == Kind::openPlayer) {
        if (!m_context.media)
            return {};
        double top = row.top();
        for (int i = 0; i < target.index; ++i)
            top += static_cast<double>(offerLines(*m_context.media, i).size()) * kOfferLineHeight + kOfferGap;
        const auto lines = static_cast<double>(offerLines(*m_context.media, target.index).size());
        return { textLeft(row), top, row.right() - textLeft(row), lines * kOfferLineHeight };
    }
    for (int i = 0; i < 3; ++i) {
        if (kControls[i] == target.kind)
            return { row.right() - (3 - i) * kButtonWidth, row.top(), kButtonWidth, row.height() };
    }
    return {};
}

void NowPlayingView::paint(QPainter& painter, const QRectF& row, const QRectF& card) const
{
    const MediaController* media = m_context.media;
    if (!media)
        return;
    const ViewPalette& palette = m_context.palette;
    painter.save();
    if (const auto player = media->player()) {
        const QPointF symbolCenter(row.left() + kPlayerSymbolSize / 2, row.center().y());
        veltrane::SymbolPainter::paint(painter, symbolCenter, kPlayerSymbolSize, symbolName(*player), m_context.accent());
        const double left = textLeft(row);
        const double textRight = row.right() - 3 * kButtonWidth - kTextGap;
        const double top = row.center().y() - (kTitleLineHeight + kArtistLineHeight) / 2;
        const QRectF titleBox(left, top, textRight - left, kTitleLineHeight);
        const QRectF artistBox(left, titleBox.bottom(), textRight - left, kArtistLineHeight);
        const QString title = media->title().isEmpty() ? CardTexts::kNotPlaying : media->title();
        const QFont titleFont = Typography::label().font();
        const QFont artistFont = Typography::secondary().font();
        painter.setPen(palette.textPrimary);
        painter.setFont(titleFont);
        drawElidedText(painter, titleBox, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.setPen(palette.textSecondary);
        painter.setFont(artistFont);
        drawElidedText(painter, artistBox, Qt::AlignLeft | Qt::AlignVCenter, media->artist());
        const QString symbols[] = { QStringLiteral("backward.fill"),
            media->isPlaying() ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"), QStringLiteral("forward.fill") };
        for (int i = 0; i < 3; ++i) {
            veltrane::SymbolPainter::paint(painter, targetRect(row, { kControls[i] }).center(), kControlSymbolSize,
                symbols[i], palette.textPrimary);
        }
    } else if (!media->connectablePlayers().empty()) {
        const QPointF symbolCenter(row.left() + kPlayerSymbolSize / 2, row.center().y());
        veltrane::SymbolPainter::paint(painter, symbolCenter, kPlayerSymbolSize, kMusicSymbol, m_context.accent());
        painter.setFont(Typography::label().font());
        // A pale accent (the idle grey) takes a deeper shade to read as text.
        painter.setPen(m_context.readableAccent(card, row.center()));
        for (int i = 0; i < static_cast<int>(media->connectablePlayers().size()); ++i) {
            const QRectF offer = targetRect(row, { Kind::openPlayer, i });
            const QStringList lines = offerLines(*media, i);
            for (int line = 0; line < lines.size(); ++line) {
                painter.drawText(QRectF(offer.left(), offer.top() + line * kOfferLineHeight, offer.width(), kOfferLineHeight),
                    Qt::AlignLeft | Qt::AlignVCenter, lines[line]);
            }
        }
    }
    painter.restore();
}

std::optional<CardTarget> NowPlayingView::hitTest(const QRectF& row, QPointF point) const
{
    const MediaController* media = m_context.media;
    if (!media || !row.contains(point))
        return std::nullopt;
    if (media->player()) {
        for (const Kind kind : kControls) {
            if (targetRect(row, { kind }).contains(point))
                return CardTarget { kind };
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < media->connectablePlayers().size(); ++i) {
        const CardTarget target { Kind::openPlayer, static_cast<int>(i) };
        if (targetRect(row, target).contains(point))
            return target;
    }
    return std::nullopt;
}

void NowPlayingView::activate(const CardTarget& target)
{
    MediaController* media = m_context.media;
    if (!media)
        return;
    switch (target.kind) {
    case Kind::previousTrack:
        media->control(MediaController::kPreviousTrack);
        break;
    case Kind::playPause:
        media->control(MediaController::kPlayPause);
        break;
    case Kind::nextTrack:
        media->control(MediaController::kNextTrack);
        break;
    case Kind::openPlayer: {
        const auto& players = media->connectablePlayers();
        if (target.index >= 0 && target.index < static_cast<int>(players.size()))
            media->connect(players[static_cast<std::size_t>(target.index)]);
        break;
    }
    default:
        break;
    }
}

} // namespace moorlet
