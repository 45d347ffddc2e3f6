#include "app/list_commands.h"

#include "forms/strings.h"
#include "skinned/skin_listbox.h"
#include "text/scope_exit.h"

namespace lt {

namespace {

template <class Pick>
void CopyRows(TskSkinCustomListBox& from, TskSkinCustomListBox& to, Pick pick)
{
    const int n = from.Count();
    if (n == 0)
        return;
    TStrings& target = to.Items();
    // One repaint at the end, also when the command ends with an exception.
    target.BeginUpdate();
    ScopeExit end([&target] { target.EndUpdate(); });
    for (int i = 0; i < n; ++i) {
        if (!pick(i))
            continue;
        std::string text = from.Items().Strings(i);
        if (target.IndexOf(text) < 0)
            target.Add(text);
    }
}

} // namespace

std::string CounterText(int rows)
{
    return "(" + std::to_string(rows) + ")";
}

void CopySelectedRows(TskSkinCustomListBox& from, TskSkinCustomListBox& to)
{
    if (from.SelCount() == 0)
        return;
    CopyRows(from, to, [&from](int i) { return from.Selected(i); });
}

void CopyAllRows(TskSkinCustomListBox& from, TskSkinCustomListBox& to)
{
    CopyRows(from, to, [](int) { return true; });
}

void DeleteSelectedRows(TskSkinCustomListBox& list)
{
    if (list.SelCount() == 0)
        return;
    // One pass over the rows, not one deletion per row: half of a million
    // rows would otherwise move the other half once per deleted row.
    list.Items().BeginUpdate();
    ScopeExit end([&list] { list.Items().EndUpdate(); });
    list.DeleteSelected();
}

int DoubleClickedRow(const TskSkinCustomListBox& list)
{
    const int caret = list.ItemIndex();
    if (caret < 0 || caret >= list.Count())
        return -1;
    return list.ItemAtCursor() == caret ? caret : -1;
}

void AddRowUnlessListed(TskSkinCustomListBox& from, int row, TskSkinCustomListBox& to)
{
    std::string text = from.Items().Strings(row);
    if (to.Items().IndexOf(text) < 0)
        to.Items().Add(text);
}

} // namespace lt
