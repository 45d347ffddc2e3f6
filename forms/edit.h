#pragma once
// The platform's one-line edit control over EditModel: it draws the text with
// the caret, the selection and the input method's composition, scrolls
// sideways to keep the caret in view, and turns keys, typed characters (a
// double-byte character arrives as its lead and trail bytes), the mouse, the
// clipboard messages and the input method into model operations.
//
// Enter and Escape are never typed: they reach OnKeyPress and then the form
// as dialog keys.
//
// Sections: messages - TCustomEdit.

#include "forms/controls.h"
#include "forms/edit_model.h"

namespace lt {

// ---- messages ----

// Returns the selection: start in the low word, end in the high word.
inline constexpr std::uint32_t EM_GETSEL = 0x00B0;
// wparam: start, lparam: end (-1: the end of the text).
inline constexpr std::uint32_t EM_SETSEL = 0x00B1;
// lparam: const std::string* replacing the selection.
inline constexpr std::uint32_t EM_REPLACESEL = 0x00C2;
// wparam: the maximum length in bytes (0: none).
inline constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;
inline constexpr std::uint32_t EM_CANUNDO = 0x00C6;
inline constexpr std::uint32_t EM_UNDO = 0x00C7;
// wparam: 1 read-only.
inline constexpr std::uint32_t EM_SETREADONLY = 0x00CF;
inline constexpr std::array kEditMessages = {
    EM_GETSEL, EM_SETSEL, EM_REPLACESEL, EM_LIMITTEXT, EM_CANUNDO, EM_UNDO, EM_SETREADONLY};
static_assert(
    message_numbers_distinct(kWindowMessages, kControlMessages, kEditMessages), "an edit message reuses a number");

// ---- TCustomEdit ----

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    const std::string& GetText() const override { return model_.text(); }
    // Replaces the text; the caret goes to the start and the undo step is forgotten.
    void SetText(const std::string& s) override;
    const std::string& Text() const { return GetText(); }

    int MaxLength() const { return static_cast<int>(model_.max_length()); }
    void SetMaxLength(int bytes);
    bool ReadOnly() const { return model_.read_only(); }
    void SetReadOnly(bool on);
    // Select the whole text when the control gets the focus from the keyboard.
    bool AutoSelect = true;
    bool Modified = false;

    int SelStart() const { return static_cast<int>(model_.sel_start()); }
    int SelLength() const { return static_cast<int>(model_.sel_end() - model_.sel_start()); }
    void SetSelStart(int pos);
    void SetSelLength(int length);
    std::string SelText() const { return model_.selected_text(); }
    void SelectAll();
    bool CanUndo() const { return model_.can_undo(); }
    void Undo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();

    TNotifyEvent OnChange;

    const EditModel& Model() const { return model_; }
    LResult WndProc(Message& m) override;

protected:
    void CreateParams(lt::CreateParams& params) override;
    void PaintWindow(Canvas& canvas, const Rect& update) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void Resized() override;
    LResult DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    virtual void Change();
    // The font and the colour the text, the caret and the composition mark
    // are drawn in: the control's Font, grey while disabled. A skinned edit
    // takes them from its skin instead.
    virtual FontDesc TextFont() const { return Font().Desc(); }
    virtual Color TextColor() const { return Enabled() ? Font().GetColor() : clGrayText; }

    // Left margin of the text in pixels.
    static constexpr int kMargin = 2;

private:
    // The text as shown: the composition stands at the caret.
    std::string shown() const;
    int text_x(const std::string& s, size_t pos) const;
    // The character boundary nearest to a client x.
    size_t pos_at(int x) const;
    void keep_caret_visible();
    void changed_view();

    EditModel model_;
    int scroll_ = 0;
    bool selecting_ = false;
    char pending_lead_ = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace lt
