// Finds and loads the network and printing modules at their first use (modules.h says why).
#pragma once

#include "core/desktop.h"
#include "platform/modules.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace modules {

// Where the program looks for its modules: its own folder (a build tree, a portable copy),
// then the library folder of the installed layout.
QStringList Folders();

// The entry point `entry` of the library `fileName` in the first of `folders` that holds it;
// nullptr, with the reason in `error`, when none does or the library cannot be loaded.
// A loaded library stays loaded.
void* LoadEntry(const QStringList& folders, const QString& fileName, const char* entry,
                QString& error);

// The module's table: the one linked into the program when there is one (the tests), else
// the one loaded from Folders(); nullptr when neither is there or it is of another build.
// Loaded once; a failure is logged once.
const Network* LoadNetwork();
const Printing* LoadPrinting();

// A new transfer; nullptr without the network module.
std::unique_ptr<online::Transfer> CreateTransfer();

// The default printer, loaded at the first question. Without the printing module there is
// no printer to print on.
class LazyPrinter final : public ui::Printer {
  public:
    LazyPrinter();
    ~LazyPrinter() override;
    bool available() override;
    bool printText(const std::string& text) override;

  private:
    ui::Printer* printer();
    std::unique_ptr<ui::Printer> printer_;
    bool loadTried_ = false;
};

// The connection probe, loaded at the first question. Without the network module the
// machine counts as offline.
class LazyConnectionProbe final : public ui::ConnectionProbe {
  public:
    LazyConnectionProbe();
    ~LazyConnectionProbe() override;
    bool IsConnected() override;

  private:
    std::unique_ptr<ui::ConnectionProbe> probe_;
    bool loadTried_ = false;
};

} // namespace modules
