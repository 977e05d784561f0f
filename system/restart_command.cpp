// "A Windows újraindítása": offer to save everything, then ask Windows to
// restart. A save that fails ends the command before the restart.
#include "mainwindow/form1.h"
#include "platform/message_box.h"
#include "platform/restart.h"

Status TForm1::Button3Click()
{
    const int answer = ShowMessageBox(hwnd_, "Mentsem az összes változtatást?", "Újraindítás",
                                      MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        TRY(SaveAll());
    return RequestRestart();
}
