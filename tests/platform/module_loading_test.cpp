// The network and printing modules as the program meets them: loaded from a folder at their
// first use. This binary links neither in, so every call here goes through the loader.
#include "platform/loader.h"
#include "platform/transfer.h"
#include "test_server.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

const QStringList kBuilt{QStringLiteral(TIRELIX_MODULES_BUILT)};

template <typename Table>
const Table* entry(const QStringList& folders, const char* file, const char* name, QString& error) {
    const auto find = reinterpret_cast<const Table* (*)()>(
        modules::LoadEntry(folders, QString::fromLatin1(file), name, error));
    return find ? find() : nullptr;
}

TEST(ModuleLoading, WhatCannotBeLoadedIsRefusedWithItsReason) {
    QTemporaryDir empty;
    QTemporaryDir notALibrary;
    QFile fake(notALibrary.filePath(QStringLiteral("libtirelix_network.so")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a library\n");
    fake.close();

    struct Case {
        const char* name;
        QStringList folders;
        const char* entry;
        const char* reasonHas;
    } cases[] = {
        {"no folder", {}, "tirelix_network_module", "libtirelix_network.so"},
        {"not in the folder", {empty.path()}, "tirelix_network_module", "introuvable"},
        {"not a library", {notALibrary.path()}, "tirelix_network_module", "libtirelix_network.so"},
        {"another entry", kBuilt, "tirelix_printing_module", "tirelix_printing_module"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(
            modules::LoadEntry(c.folders, QStringLiteral("libtirelix_network.so"), c.entry, error),
            nullptr)
            << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.reasonHas)))
            << c.name << ": " << error.toStdString();
    }
    // The first folder that holds the module wins, whatever comes before it.
    QString error;
    EXPECT_NE(modules::LoadEntry({empty.path(), kBuilt.constFirst()},
                                 QStringLiteral("libtirelix_printing.so"),
                                 "tirelix_printing_module", error),
              nullptr)
        << error.toStdString();
}

TEST(ModuleLoading, LoadedPrinterWritesARealPdf) {
    QString error;
    const auto* printing = entry<modules::Printing>(kBuilt, "libtirelix_printing.so",
                                                    "tirelix_printing_module", error);
    ASSERT_NE(printing, nullptr) << error.toStdString();
    EXPECT_EQ(printing->version, modules::kVersion);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("ticket.pdf"));
    const std::unique_ptr<ui::Printer> printer(printing->createPrinter(pdf));
    ASSERT_TRUE(printer->available());
    ASSERT_TRUE(printer->printText("12 + 3 =  15\r\n"));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    // Text extraction does not keep runs of blanks.
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput())
                    .simplified()
                    .contains(QLatin1String("12 + 3 = 15")));
}

TEST(ModuleLoading, LoadedTransferFetchesOverLoopback) {
    QString error;
    const auto* network =
        entry<modules::Network>(kBuilt, "libtirelix_network.so", "tirelix_network_module", error);
    ASSERT_NE(network, nullptr) << error.toStdString();
    EXPECT_EQ(network->version, modules::kVersion);
    test::TestServer::Options options;
    options.siteText = QStringLiteral("\"http://tirelix.example/\"\r\n");
    test::TestServer server(options);
    ASSERT_TRUE(server.running());

    const std::unique_ptr<online::Transfer> transfer(network->createTransfer());
    EXPECT_FALSE(transfer->OpenURL(QStringLiteral("ftp://127.0.0.1/"), 100, 5000, {}));

    std::optional<QByteArray> content;
    QEventLoop loop;
    ASSERT_TRUE(transfer->OpenURL(QString::fromStdString(server.host()) + test::kSitePath, 1000,
                                  10000, [&](std::optional<QByteArray> bytes) {
                                      content = std::move(bytes);
                                      loop.quit();
                                  }));
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, QByteArray("\"http://tirelix.example/\"\r\n"));
}

// This binary's own folders hold no module: the program goes on without network or printer.
TEST(ModuleLoading, WithoutItsModulesTheProgramIsOfflineAndHasNoPrinter) {
    modules::LazyPrinter printer;
    modules::LazyConnectionProbe probe;
    EXPECT_FALSE(printer.available());
    EXPECT_FALSE(printer.printText("1\r\n"));
    EXPECT_FALSE(probe.IsConnected());
    EXPECT_EQ(modules::CreateTransfer(), nullptr);
}

} // namespace
