// The nine digit buttons: a shortcut that finds a step about one digit and carries it out.
#include "core/form/form1.h"

namespace quorix {

void Form1::cmdNumber_Click(int index)
{
    assert(index >= 0 && index < DigitCount && "digit button out of range");
    // A click that finds nothing does nothing: the pending step may be one an earlier "Next"
    // explained for a board the user has changed since, and must not be carried out here.
    // A step found is a placement or a strike, carried out at once with no status line,
    // highlight or check.
    if (FindStep(index))
        ApplyStep();
}

} // namespace quorix
