// What the auto loop knows about a depth slot: remembered when it is saved, trusted again when
// it is restored unchanged.
#include "control/auto_carry.h"

namespace quorix {

void AutoCarry::Remember(const Form1 &form, int slot)
{
    SlotKnowledge &known = Slots[slot];
    known.Stamp = form.Guesses.DepthStamps[slot];
    known.Struck = Struck;
    known.HasView = Struck && ViewCurrent;
    known.Clean = known.HasView && Clean;
    if (known.HasView) {
        while (SlotViews.size() <= static_cast<std::size_t>(slot))
            SlotViews.push_back(View);
        SlotViews[slot] = View;
    }
}

void AutoCarry::Recall(const Form1 &form, int slot)
{
    const SlotKnowledge &known = Slots[slot];
    if (known.Stamp == 0 || known.Stamp != form.Guesses.DepthStamps[slot]) {
        Forget();
        return;
    }
    Struck = known.Struck;
    ViewCurrent = known.HasView;
    Clean = known.Clean;
    if (ViewCurrent)
        View = SlotViews[slot];
    assert(!Struck || form.SetDigitsStruck());
    assert(!ViewCurrent || View.MatchesStore());
}

} // namespace quorix
