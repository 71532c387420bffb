#pragma once
#include "reports/PrintControl.h"

#include <QPrinter>
#include <QString>

// While it lives, print jobs go to a PDF file instead of a printer.
class PrintToPdf {
public:
    explicit PrintToPdf(const QString& file)
        : m_hook(PrintControl::printerChooser(), [file](QPrinter& printer, const QString&) {
              printer.setOutputFormat(QPrinter::PdfFormat);
              printer.setOutputFileName(file);
              return true;
          }) {}

private:
    ScopedHook<bool(QPrinter&, const QString&)> m_hook;
};
