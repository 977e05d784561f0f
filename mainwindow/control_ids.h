#pragma once
// Stable window IDs of every control of the main window and the splash
// window. The e2e driver finds controls by these IDs, so they never change.

namespace id {
enum : int {
    // Frame and bottom bar. "OK" is IDOK so that Enter in the window presses it;
    // "Mégsem" is deliberately not IDCANCEL, so Escape does nothing.
    Button1 = 1,
    Button2 = 102,
    PageControl1 = 100,
    Panel3 = 103,
    Panel2 = 104,
    TabSheet1 = 111, TabSheet2, TabSheet3, TabSheet4, TabSheet5,

    // Info page
    Panel1 = 200, ani, PaintBox1, Label10, Label12,

    // Basics page
    Selector = 300, GroupBox7, Label2, Label19, Label20, Label21, Label22,
    Refrrate512x384, Refrrate640x400, Refrrate640x480, Refrrate800x600, Refrrate1024x768,
    GroupBox2, Label4, lred, TrRed, Label6, lblue, TrBlue, Label16, lgreen, TrGreen, LinkSl,
    lclock, Label1, ClockSpeed, Label5, Button4, Label3,

    // Tuning pages: gcbN = gcb1 + N - 1, dcbN = dcb1 + N - 1
    GroupBox1 = 400, GroupBox4, GroupBox5, GroupBox6,
    gcb1 = 410,
    dcb1 = 440,

    // Cache page
    pvir = 500, Bevel1, Label8, pbVirtual, LVirt, pfiz, Label9, pbFiz, LFiz,
    EnableDisk, DiskCacBox, Label7, camin, Label13, camax, Label14, cachunk,
    EnableFile, FilCacBox, Label15, cadir, Label18, cafil, Label11, Button3,

    // The up/down buttons of a number field have the field's ID plus this.
    UpDownOffset = 50,

    // Splash window
    Image1 = 900, pb,
};

constexpr int gcb(int n) { return gcb1 + n - 1; }
constexpr int dcb(int n) { return dcb1 + n - 1; }
} // namespace id

// Window classes, so tests and the e2e driver can find the windows.
#define TARNWICK_MAIN_CLASS "TForm1"
#define TARNWICK_SPLASH_CLASS "TSplashForm"
