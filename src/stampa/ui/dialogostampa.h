#pragma once

#include "stampa/grafica/stampapdf.h"

class QWidget;

// The printer dialog (MyCommonDialog_Print) with a button for the preview: the report goes to the printer
// the user picks, to a PDF file (written whole or not at all), or to the preview, page by page with zoom,
// from which it can still be printed. Cancelling prints nothing and says nothing; a printer error ends
// silently.
void stampaConDialogo(QWidget* genitore, const Disegno& disegno, const QString& titolo);
