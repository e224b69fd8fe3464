#pragma once

class QApplication;

// What the program sets up before its first window: its name, and the Italian language of the toolkit's own
// dialogs and buttons. Shared by main() and the start-up benchmark, which must measure the same start.
void preparaApplicazione(QApplication& applicazione);
