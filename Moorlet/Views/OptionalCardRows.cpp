#include "Moorlet/Views/OptionalCardRows.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Views/NowPlayingView.h"

namespace moorlet {

OptionalCardRows OptionalCardRows::current(const FocusController& controller, const MediaController* media,
    const LocalDataStore& store)
{
    return { showsNowPlaying(media), controller.bestHourLabel().has_value(), store.nextUpcoming().has_value(),
        NowPlayingView::offersHeight(media) };
}

bool OptionalCardRows::showsNowPlaying(const MediaController* media)
{
    return media && (media->player().has_value() || !media->connectablePlayers().empty());
}

} // namespace moorlet
