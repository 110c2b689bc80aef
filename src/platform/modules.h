// Network and printing come in modules of their own, loaded at their first use: Qt Network,
// Qt Print Support and what they pull in (CUPS, TLS, Kerberos) would otherwise be loaded and
// relocated at every start, for features a session uses late or never.
//
// Each module exports one C function, named below, that returns its table of factories. The
// program and its modules come from the same build; the version refuses any other.
#pragma once

#include <QString>

namespace online {
class Transfer;
}
namespace ui {
class ConnectionProbe;
class Printer;
} // namespace ui

namespace modules {

inline constexpr int kVersion = 1;

struct Network {
    int version;
    // The download's transfer; the caller owns it.
    online::Transfer* (*createTransfer)();
    ui::ConnectionProbe* (*createConnectionProbe)();
};

struct Printing {
    int version;
    // The default printer, or this PDF file when the path is not empty; the caller owns it.
    ui::Printer* (*createPrinter)(const QString& pdfPath);
};

} // namespace modules

extern "C" {
const modules::Network* tirelix_network_module();
const modules::Printing* tirelix_printing_module();
}
