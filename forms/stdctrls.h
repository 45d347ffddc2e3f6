#pragma once
// Plain standard controls: a text label, a push button and a panel, drawn in
// the classic system colours. The skinned controls replace them in the
// program; these serve forms without a skin (dialogs, the gallery, tests).
//
// Sections: TLabel - TButton - TPanel.

#include "forms/controls.h"
#include "gfx/alignment.h"

namespace lt {

// ---- TLabel ----

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment = TAlignment::taLeftJustify;
    // A transparent label paints no background.
    bool Transparent = false;
    bool WordWrap = false;
    // "&x" underlines x unless this is off.
    bool ShowAccelChar = true;
    // On: the label takes the size of its caption whenever the caption or
    // the font changes.
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    void SetText(const std::string& s) override;

protected:
    void Paint() override;
    void FontChanged() override;

private:
    unsigned text_flags() const;
    void adjust_size();
    bool auto_size_ = true;
};

// ---- TButton ----

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    // Enter anywhere on the form clicks the default button; Escape the cancel one.
    bool Default = false;
    bool Cancel = false;
    // Clicking sets the form's ModalResult to this (when nonzero).
    int ModalResult = 0;

    // Drawn pressed: see TControl::Press. Space presses the button and its
    // release clicks; Enter clicks at once.
    bool Down() const { return press_.down(); }
    void Click() override;

protected:
    void CreateParams(lt::CreateParams& params) override;
    void Paint() override;
    void PressChanged() override { Invalidate(); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
};

// ---- TPanel ----

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter = TBevelCut::bvRaised;
    TAlignment Alignment = TAlignment::taCenter;
    Rect AlignRect() const override;

protected:
    void Paint() override;
};

} // namespace lt
