#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

#include <string>

// The system edit box. The text lives in the window once it exists; the change notice,
// the colours (Color, Font colour) and double clicks are reflected to the object.
// NoContextMenu swallows the right-click menu.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    std::string Text() const;
    void SetText(const std::string& Value);
    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // Puts Text in place of the selection, as typing would (the length limit holds).
    void ReplaceSelection(const std::string& Text);
    void SelectAll();
    // Shown, selectable and copied, but not typed into.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool NoContextMenu = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnDblClick;

    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void TextChanged() override;
    virtual DWORD EditStyle() const = 0;

private:
    std::string FText;
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FSettingText = false;
    TCtlColorBrush FBrush;
};

// One line, scrolled sideways as the text grows.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner);

protected:
    DWORD EditStyle() const override { return ES_AUTOHSCROLL; }
};

// Several lines; Enter makes a new line, a vertical scroll bar follows the text.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);

protected:
    DWORD EditStyle() const override { return ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL; }
};
