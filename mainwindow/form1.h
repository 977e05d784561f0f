#pragma once
// TForm1: the main window. One handler per user-interface event, named
// after the control and the event; the handlers of each page live with the
// page's subsystem.
#include "controls/animate_click.h"
#include "driver/setting.h"
#include "platform/memory_status.h"
#include "mainwindow/control_table.h"
#include "mainwindow/layout_builder.h"
#include "core/error.h"
#include "platform/handles.h"
#include <functional>
#include <string>

class TForm1 {
public:
    static void RegisterClass(HINSTANCE instance);

    TForm1() = default;
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Makes the window and all its controls (hidden), then runs FormCreate.
    Status Create();
    // Runs FormShow, then makes the window visible.
    void Show();
    // Hides and destroys the window; FormDestroy runs on the way.
    void Close();

    HWND Handle() const { return hwnd_; }
    // Every ID the code names is in the layout: a miss is a fault of the
    // program itself, and ends it with the error box.
    Control& Find(int controlId) const;
    template <typename T> T& Get(int controlId) const { return static_cast<T&>(Find(controlId)); }
    const ControlTableT& ControlTable() const { return controlTable_; }

    int ActivePage() const;
    // Brings a page to front; a page that becomes visible runs its show handler.
    void SetActivePage(int index);

    // Info page state.
    HMODULE AnimationLibrary() const { return animationLibrary_.get(); }
    bool AnimationUnavailable() const { return animationUnavailable_; }
    bool AnimationStarted() const { return animationStarted_; }

    // The two driver profiles; the Basics page edits the selected one.
    TSetting GlideProfile;
    TSetting D3DProfile;
    // Tab 0 ("Direct3D") the Direct3D profile, tab 1 the Glide one; none
    // when no tab is selected.
    TSetting* SelectedProfile();

    // Handlers.
    // A handler that can fail gives back the failure, which ended it at
    // that step; whoever ran it for an event shows it (ReportError).
    void FormCreate();
    void FormShow();
    void FormDestroy();
    Status TabSheet1Show();
    Status aniDblClick(Control& sender);
    void PaintBox1Paint(HDC dc);
    void pfizPaint(Control& sender, HDC dc);
    Status Button1Click();
    void Button2Click();
    // Loading and saving everything
    void LoadAll();
    Status SaveAll();
    // Tuning pages
    Status ReadSwitches();
    Status WriteSwitches();
    // Cache page
    void EnableDiskClick(Control& sender);
    void EnableFileClick(Control& sender);
    Status ReadCacheSettings();
    Status WriteCacheSettings();
    Status Button3Click();
    void Timer1Timer();
    // Basics page
    Status SelectorChange();
    Status SliderChange(Control& sender);
    void ClockSpeedChange(Control& sender);
    Status Refrrate512x384Change(Control& sender);
    void Button4Click();

    // The groups of settings that are loaded and saved together. A group is
    // saved only when its load completed or the user has changed it since,
    // so a load that an error cut short never overwrites what it did not read.
    enum class Group { GlideRefresh, D3DRefresh, GlideGamma, D3DGamma, Cache, Switches, GlideClock, D3DClock };
    bool GroupLoaded(Group g) const { return groupLoaded_[static_cast<int>(g)]; }
    bool GroupEdited(Group g) const { return groupEdited_[static_cast<int>(g)]; }
    // Called before each step of the load and of the save, so tests can see
    // the order and act between steps.
    std::function<void(Group)> BeforeLoadStep;
    std::function<void(Group)> BeforeSaveStep;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int controlId, int code);
    Status RunCommand(int controlId, int code);
    LRESULT OnNotify(const NMHDR& header);
    void OnPaintBox(HWND box, HDC dc);
    void OnHScroll(HWND control);
    int DefaultButtonId() const;
    void ShowDefaultButton();
    void OnUserEdit(Group group);
    void OnProfileEdit(Group glide, Group d3d);
    Status LoadStoredSettings();
    Status ReadVCache();
    Status ReadFileSystemTemplate();
    Status WriteVCache();
    Status WriteFileSystemTemplate();
    void EnableTimer1();
    static constexpr UINT_PTR Timer1Id = 1;
    static constexpr int GroupCount = 8;
    bool groupLoaded_[GroupCount] = {};
    bool groupEdited_[GroupCount] = {};
    bool loadFinished_ = false;
    MemoryAmounts memoryStatus_;
    void LoadImageLists();

    HWND hwnd_ = nullptr;
    ControlMap controls_;
    ControlTableT controlTable_;
    UniqueImageList imageList1_;
    UniqueImageList im2_;

    UniqueModule animationLibrary_;
    bool animationUnavailable_ = false;
    bool animationStarted_ = false;
};

// Where the driver keeps the library whose resource holds the logo clip.
extern const char* const AnimationLibraryPath;
constexpr int AnimationResourceId = 143;
