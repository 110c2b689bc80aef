#include "platform/modules.h"
#include "platform/qt_printer.h"

namespace {

const modules::Printing kPrinting{
    modules::kVersion,
    [](const QString& pdfPath) -> ui::Printer* { return new ui::QtPrinter(pdfPath); },
};

} // namespace

extern "C" __attribute__((visibility("default"))) const modules::Printing*
tirelix_printing_module() {
    return &kPrinting;
}
