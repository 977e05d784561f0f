#pragma once
// TForm1: the main window. One handler per user-interface event, named
// after the control and the event; the handlers of each page live in the
// page's file of this folder and go to the stores below for the data.
#include "controls/animate_click.h"
#include "driver/profile_store.h"
#include "driver/setting.h"
#include "driver/switch_store.h"
#include "platform/memory_status.h"
#include "mainwindow/control_table.h"
#include "mainwindow/layout_builder.h"
#include "core/error.h"
#include "platform/handles.h"
#include <initializer_list>
#include <string>

class TForm1 {
public:
    static void RegisterClass(HINSTANCE instance);

    // The frame: its style, client size and place on the screen.
    static constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    static constexpr int ClientWidth = 464, ClientHeight = 294, FrameLeft = 358, FrameTop = 208;

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

    int ActivePage() const;
    // Brings a page to front; a page that becomes visible runs its show handler.
    Status SetActivePage(int index);

    // The two driver profiles; the Basics page edits the selected one.
    TSetting GlideProfile;
    TSetting D3DProfile;
    // Tab 0 ("Direct3D") the Direct3D profile, tab 1 the Glide one; none
    // when no tab is selected.
    TSetting* SelectedProfile();

    // Handlers, one file per page. A handler that can fail gives back the
    // failure, which ended it at that step; the window procedure shows it.
    // Info page (info_page.cpp)
    void FormCreate();
    void FormDestroy();
    Status TabSheet1Show();
    Status aniDblClick(Control& sender);
    void PaintBox1Paint(HDC dc);
    // Basics page (basics_page.cpp)
    Status SelectorChange();
    Status SliderChange(Control& sender);
    void ClockSpeedChange(Control& sender);
    Status Refrrate512x384Change(Control& sender);
    void Button4Click();
    // Tuning pages (tuning_pages.cpp)
    Status ReadSwitches();
    Status WriteSwitches();
    // Cache page (cache_page.cpp)
    void pfizPaint(Control& sender, HDC dc);
    void Timer1Timer();
    void EnableDiskClick(Control& sender);
    void EnableFileClick(Control& sender);
    Status ReadCacheSettings();
    Status WriteCacheSettings();
    Status Button3Click();
    // The frame's buttons and everything loaded and saved (load_save.cpp)
    void FormShow();
    Status Button1Click();
    void Button2Click();
    void LoadAll();
    Status SaveAll();

    // The groups of settings that are loaded and saved together. A group is
    // saved only when its load completed or the user has changed it since,
    // so a load that an error cut short never overwrites what it did not read.
    enum class Group { GlideRefresh, D3DRefresh, GlideGamma, D3DGamma, Cache, Switches, GlideClock, D3DClock };
    // The load runs these in order behind the splash, the save in its own
    // order; each stops at its first failing step.
    struct Step {
        Group group;
        Status (*run)(TForm1& form);
    };
    static const Step LoadSteps[8];
    static const Step SaveSteps[8];

private:
    friend struct TForm1TestAccess;  // test seam: the in-process tests' view of the state below

    // What an edit marks for the save: a group of the selected profile, or
    // one of the groups that belong to no profile.
    enum class Marks : unsigned char { Nothing, Refresh, Gamma, Clock, Cache, CacheOnceLoaded, Switches };
    enum class Source : unsigned char { Command, Notify, HScroll };
    // One row per notification and the controls it is for (events.cpp).
    struct EventRow {
        Source source;
        UINT code;
        // Every control by its ID: a control joins a row only when it is
        // written into it, wherever its ID falls.
        std::initializer_list<int> controls;
        Marks marks;
        // Null when the row only marks. `detail` is the notification code
        // of a command and the NMHDR* of a notification.
        Status (*handle)(TForm1& form, int controlId, LPARAM detail);
        LRESULT result;   // what a handled notification answers
    };
    static const std::initializer_list<EventRow> Events;
    static constexpr UINT AnyCode = ~0u;
    static constexpr UINT FocusChange = ~1u;  // BN_SETFOCUS or BN_KILLFOCUS

    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    Status Dispatch(Source source, int controlId, UINT code, LPARAM detail, LRESULT& result);
    void Mark(Marks marks);
    void OnPaintBox(HWND box, HDC dc);
    int DefaultButtonId() const;
    void ShowDefaultButton();
    Status LoadStoredSettings();
    void RememberLoadedState();
    Status ShownSwitches(SwitchStates& states) const;
    void EnableTimer1();
    static HIMAGELIST ImageList(UniqueImageList& list, int width, int height,
                                std::initializer_list<const char*> bitmaps);

    bool GroupLoaded(Group g) const { return groupLoaded_[static_cast<int>(g)]; }
    bool GroupEdited(Group g) const { return groupEdited_[static_cast<int>(g)]; }

    static constexpr UINT_PTR Timer1Id = 1;
    static constexpr int GroupCount = 8;
    bool groupLoaded_[GroupCount] = {};
    bool groupEdited_[GroupCount] = {};
    bool loadFinished_ = false;
    // What a save leaves as stored unless the user changes it: the profile
    // values the load could not read, and the switch boxes and the
    // file-system box as the load left them.
    UnreadValues glideUnread_, d3dUnread_;
    SwitchStates loadedSwitches_;
    bool loadedTemplateChosen_ = false;
    MemoryAmounts memoryStatus_;

    HWND hwnd_ = nullptr;
    ControlMap controls_;
    ControlTableT controlTable_;
    UniqueImageList imageList1_;
    UniqueImageList im2_;

    HWND hintWindow_ = nullptr;  // the Info page's hint; owned by the window
    UniqueModule animationLibrary_;
    bool animationUnavailable_ = false;
    bool animationStarted_ = false;
};

// Where the driver keeps the library whose resource holds the logo clip.
extern const char* const AnimationLibraryPath;
constexpr int AnimationResourceId = 143;
