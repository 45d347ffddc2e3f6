#pragma once
// The commands that move, delete and clear rows of the results list and the
// export list, and the counters' text. Each works on the list controls
// themselves (rows, selection, caret, lookup) and keeps no state; none of
// them touches a run.
//
// Row order is kept everywhere: copies append in the source list's order,
// deletions keep the order of the rows left. Changes are batched so that a
// command over a million rows repaints once.

#include <string>

namespace lt {

class TskSkinCustomListBox;

// "(" + the decimal row count + ")".
std::string CounterText(int rows);

// Appends every selected row of `from` that `to` does not contain yet (by
// the lists' lookup rule) to the end of `to`, in `from`'s order. `from` and
// its selection stay as they are.
void CopySelectedRows(TskSkinCustomListBox& from, TskSkinCustomListBox& to);

// The same for every row of `from`: a phrase that matches a row appended
// earlier in the same pass is not appended again.
void CopyAllRows(TskSkinCustomListBox& from, TskSkinCustomListBox& to);

// Deletes every selected row; the rows left keep their order and their
// selected state (none is selected afterwards).
void DeleteSelectedRows(TskSkinCustomListBox& list);

// The row a double-click acts on: the list's caret row when the pointer is on
// that very row, else -1 (the blank strip below the rows, an empty list, a
// caret left past the end by deletions, a click that landed elsewhere).
int DoubleClickedRow(const TskSkinCustomListBox& list);

// Appends row `row` of `from` to the end of `to` unless `to` contains it.
void AddRowUnlessListed(TskSkinCustomListBox& from, int row, TskSkinCustomListBox& to);

} // namespace lt
