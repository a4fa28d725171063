#pragma once

// Window-free report output: WriteReportPdf writes the whole payoff report
// (title page and schedule pages) as a PDF file, with the default printer's
// margins when there is a printer and the template's otherwise. Needs a
// QGuiApplication (fonts and the printer list); QT_QPA_PLATFORM=offscreen
// serves where there is no display.

#include "report/payoffreport.h"
