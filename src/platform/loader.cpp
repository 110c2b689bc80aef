#include "platform/loader.h"

#include "platform/transfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

// A test that links a module in finds its table here; the program itself links none.
#pragma weak tirelix_network_module
#pragma weak tirelix_printing_module

namespace modules {

namespace {

template <typename Table>
const Table* load(const Table* (*linked)(), const char* fileName, const char* entry) {
    if (linked)
        return linked();
    QString error;
    const auto find = reinterpret_cast<const Table* (*)()>(
        LoadEntry(Folders(), QString::fromLatin1(fileName), entry, error));
    const Table* table = find ? find() : nullptr;
    if (table && table->version != kVersion) {
        error = QStringLiteral("%1 vient d'une autre version du programme").arg(fileName);
        table = nullptr;
    }
    if (!table)
        qWarning().noquote() << "tirelix:" << error;
    return table;
}

} // namespace

QStringList Folders() {
    const QString own = QCoreApplication::applicationDirPath();
    return {own, QDir::cleanPath(own + QStringLiteral("/" TIRELIX_MODULES_FROM_PROGRAM))};
}

void* LoadEntry(const QStringList& folders, const QString& fileName, const char* entry,
                QString& error) {
    for (const QString& folder : folders) {
        const QString path = folder + u'/' + fileName;
        if (!QFileInfo(path).isFile())
            continue;
        QLibrary library(path);
        // Every symbol bound at once: a module that does not fit fails here, not mid-print.
        library.setLoadHints(QLibrary::PreventUnloadHint | QLibrary::ResolveAllSymbolsHint);
        if (!library.load()) {
            error = library.errorString();
            return nullptr;
        }
        if (QFunctionPointer found = library.resolve(entry))
            return reinterpret_cast<void*>(found);
        error =
            QStringLiteral("%1 n'a pas de point d'entrée %2").arg(path, QString::fromLatin1(entry));
        return nullptr;
    }
    error = QStringLiteral("%1 est introuvable dans %2")
                .arg(fileName, folders.join(QStringLiteral(", ")));
    return nullptr;
}

const Network* LoadNetwork() {
    static const Network* const table =
        load(tirelix_network_module, "libtirelix_network.so", "tirelix_network_module");
    return table;
}

const Printing* LoadPrinting() {
    static const Printing* const table =
        load(tirelix_printing_module, "libtirelix_printing.so", "tirelix_printing_module");
    return table;
}

std::unique_ptr<online::Transfer> CreateTransfer() {
    const Network* network = LoadNetwork();
    return std::unique_ptr<online::Transfer>(network ? network->createTransfer() : nullptr);
}

LazyPrinter::LazyPrinter() = default;
LazyPrinter::~LazyPrinter() = default;

ui::Printer* LazyPrinter::printer() {
    if (!loadTried_) {
        loadTried_ = true;
        if (const Printing* printing = LoadPrinting())
            printer_.reset(printing->createPrinter(QString()));
    }
    return printer_.get();
}

bool LazyPrinter::available() {
    ui::Printer* p = printer();
    return p && p->available();
}

bool LazyPrinter::printText(const std::string& text) {
    ui::Printer* p = printer();
    return p && p->printText(text);
}

LazyConnectionProbe::LazyConnectionProbe() = default;
LazyConnectionProbe::~LazyConnectionProbe() = default;

bool LazyConnectionProbe::IsConnected() {
    if (!loadTried_) {
        loadTried_ = true;
        if (const Network* network = LoadNetwork())
            probe_.reset(network->createConnectionProbe());
    }
    return probe_ && probe_->IsConnected();
}

} // namespace modules
