#include "Moorlet/Views/NowPlayingView.h"

#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QPainter>

namespace moorlet {

namespace {

namespace Typography = veltrane::DesignTokens::Typography;

constexpr double kPlayerSymbolSize = 14;
constexpr double kControlSymbolSize = 12;
constexpr double kTextGap = 8;
constexpr double kLineGap = 2;
constexpr double kTitleLineHeight = 16;
constexpr double kArtistLineHeight = 14;

using Kind = CardTarget::Kind;
constexpr Kind kControls[] = { Kind::previousTrack, Kind::playPause, Kind::nextTrack };

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

QRectF NowPlayingView::targetRect(const QRectF& row, const CardTarget& target) const
{
    if (target.kind == Kind::openPlayer)
        return { row.left(), row.top() + target.index * (kPromptLineHeight + kLineGap), row.width(), kPromptLineHeight };
    for (int i = 0; i < 3; ++i) {
        if (kControls[i] == target.kind)
            return { row.right() - (3 - i) * kButtonWidth, row.top(), kButtonWidth, row.height() };
    }
    return {};
}

void NowPlayingView::paint(QPainter& painter, const QRectF& row) const
{
    const MediaController* media = m_context.media;
    if (!media)
        return;
    const ViewPalette& palette = m_context.palette;
    painter.save();
    if (const auto player = media->player()) {
        const QPointF symbolCenter(row.left() + kPlayerSymbolSize / 2, row.center().y());
        veltrane::SymbolPainter::paint(painter, symbolCenter, kPlayerSymbolSize, symbolName(*player), m_context.accent());
        const double textLeft = row.left() + kPlayerSymbolSize + kTextGap;
        const double textRight = row.right() - 3 * kButtonWidth - kTextGap;
        const double top = row.center().y() - (kTitleLineHeight + kArtistLineHeight) / 2;
        const QRectF titleBox(textLeft, top, textRight - textLeft, kTitleLineHeight);
        const QRectF artistBox(textLeft, titleBox.bottom(), textRight - textLeft, kArtistLineHeight);
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
    } else {
        const QFont font = Typography::label().font();
        painter.setFont(font);
        painter.setPen(m_context.accent());
        const auto& players = media->connectablePlayers();
        for (std::size_t i = 0; i < players.size(); ++i) {
            const QRectF line = targetRect(row, { Kind::openPlayer, static_cast<int>(i) });
            const QString prompt = CardTexts::openPlayerPrompt(media->displayName(players[i]));
            drawElidedText(painter, line, Qt::AlignLeft | Qt::AlignVCenter, prompt);
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
