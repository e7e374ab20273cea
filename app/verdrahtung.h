// Which windows the main window opens: the one place where the application joins its windows.
#pragma once

class TfrmMain;

// Sets the main window's window factories.
void VerdrahteFenster(TfrmMain& hauptfenster);
