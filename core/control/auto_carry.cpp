// What the auto loop knows about a depth slot: remembered when it is saved, trusted again when
// it is restored unchanged.
#include "core/control/auto_carry.h"

namespace quorix {

void AutoCarry::Remember(const Form1 &form, int slot)
{
    SlotKnowledge &known = Slots[slot];
    known.Stamp = form.Guesses.DepthStamps[slot];
    known.Struck = Struck;
    known.HasView = Struck && ViewCurrent;
    known.Clean = known.HasView && Clean;
    known.Forgets = Forgets;
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

bool AutoCarry::SetSinceSaved(const Form1 &form, int slot, SquareSet &squares) const
{
    const SlotKnowledge &known = Slots[slot];
    // Since the save only the loop has changed the board, and it only sets squares (never
    // empties one, nor sets one twice), so the squares set since are those the slot had open.
    if (known.Stamp == 0 || known.Stamp != form.Guesses.DepthStamps[slot]
        || known.Forgets != Forgets || !known.Clean || !Clean)
        return false;
    const SquareSet before = SlotViews[slot].OpenSquares();
    const SquareSet now = View.OpenSquares();
    assert((now - before).IsEmpty() && "no square is emptied within a run");
    squares = before - now;
    return true;
}

} // namespace quorix
