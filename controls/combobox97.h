#pragma once
// TComboBox97: a drop-down list that can draw itself flat.
#include "controls/controls.h"

class TComboBox97 : public Control {
public:
    // Takes over the window procedure of an existing combo box.
    TComboBox97(HWND combo, int tag);
    ~TComboBox97() override;

    int ItemIndex() const;
    void SetItemIndex(int index);  // outside the items: no selection
    void AddItem(const std::string& text);

    bool Flat() const { return flat_; }
    void SetFlat(bool on);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    WNDPROC oldProc_ = nullptr;
    bool flat_ = false;
};
