#pragma once
// The one-line edit control's model: code page 936 text with a caret and a
// selection, editing, a one-step undo, the clipboard and the input method's
// composition, without any drawing.
//
// Positions are byte offsets that always lie on character boundaries: the
// caret never stands between the lead and the trail byte of a double-byte
// character, and movement and deletion take whole characters. The selection
// runs from the anchor to the caret (either way round).
//
// Editing rules:
//   - Undo has one step, and undoing twice redoes. A run of typed characters
//     at the caret is one step.
//   - MaxLength (bytes, 0 = none) cuts inserted text at the last whole
//     character that fits; a typed character that does not fit is refused.
//   - A read-only edit moves the caret, selects and copies, and refuses every
//     change.
//   - Setting the text puts the caret at 0 and forgets the undo step.
// One-line rules: pasted text is kept up to its first CR or LF, and control
// characters are never typed (Enter and Escape belong to the form).
//
// Sections: text and selection - editing - keys and mouse - input method.

#include <functional>
#include <string>

namespace lt {

class EditModel {
public:
    // Told after every change of the text.
    std::function<void()> OnChange;
    // The platform clipboard as code page 936 text; unset means no clipboard.
    std::function<std::string()> ReadClipboard;
    std::function<void(const std::string&)> WriteClipboard;

    // ---- text and selection ----
    const std::string& text() const { return text_; }
    void set_text(const std::string& text);
    size_t caret() const { return caret_; }
    size_t anchor() const { return anchor_; }
    size_t sel_start() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t sel_end() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool has_selection() const { return caret_ != anchor_; }
    std::string selected_text() const { return text_.substr(sel_start(), sel_end() - sel_start()); }
    // Selects start..end with the caret at end (both snapped to boundaries).
    void set_selection(size_t start, size_t end);
    void select_all() { set_selection(0, text_.size()); }

    bool read_only() const { return read_only_; }
    void set_read_only(bool on) { read_only_ = on; }
    size_t max_length() const { return max_length_; }
    // Existing text longer than the limit is kept; the limit cuts only what
    // is inserted afterwards.
    void set_max_length(size_t bytes) { max_length_ = bytes; }

    // ---- editing ----
    // Types characters at the caret, replacing the selection. Returns false
    // when nothing was typed (read-only, nothing fits, only control bytes).
    bool type(const std::string& chars);
    bool can_undo() const { return can_undo_ && !read_only_; }
    bool undo();
    void copy() const;
    bool cut();
    bool paste();
    // Deletes the selection (the context menu's Delete).
    bool clear_selection();

    // ---- keys and mouse ----
    // Handles a key press (virtual-key number); returns whether it was one of
    // the edit's keys.
    bool key(int vk, bool shift, bool ctrl);
    // A press at pos: moves the caret there, or extends the selection with Shift.
    void press(size_t pos, bool shift);
    // The pointer dragged to pos with the button held: extends the selection.
    void drag(size_t pos);
    // Selects the word around pos (a double-click).
    void select_word(size_t pos);

    // ---- input method ----
    // The composition string shown at the caret until committed; it is not
    // part of the text.
    const std::string& composition() const { return composition_; }
    void set_composition(const std::string& chars);
    // Ends the composition and types the converted text.
    bool commit(const std::string& chars);

private:
    enum class Op { None, Typing, Other };
    struct State {
        std::string text;
        size_t caret = 0, anchor = 0;
    };
    bool replace(std::string insert, Op op);
    void move(size_t to, bool extend);
    size_t snap(size_t pos) const;
    size_t word_left(size_t pos) const;
    size_t word_right(size_t pos) const;

    std::string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    bool read_only_ = false;
    size_t max_length_ = 0;
    State undo_;
    bool can_undo_ = false;
    Op last_op_ = Op::None;
    std::string composition_;
};

} // namespace lt
