// The main window's online part: the banner strip with its timer, the coin link, the periodic
// download with its trace, the pointer feedback and the about box item.
#include "core/banner.h"
#include "core/download_tick.h"
#include "core/gif_outline.h"
#include "core/state_file.h"
#include "core/transfer_trace.h"
#include "platform/accessibility.h"
#include "platform/files.h"
#include "platform/hand_pointer.h"
#include "platform/loader.h"
#include "platform/timer.h"
#include "platform/transfer.h"
#include "platform/twips.h"
#include "platform/widgets.h"
#include "windows/frm_euros.h"
#include "windows/window_object.h"

#include <QBuffer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

namespace {

using ui::TwipsRect;

// The trace keeps the newest lines of a long run.
constexpr int kTraceLines = 1000;
// A banner file larger than this is not one we play.
constexpr qint64 kMaxBannerFileBytes = 8 * 1024 * 1024;

// Movements over these controls bring the arrow back.
constexpr const char* kRestoresPointer = "tirelixRestoresPointer";

// A movie playing `bytes` from memory, or null when they are not a banner we play: cut short,
// beyond the size the strip can use (a few bytes of GIF can make the decoder allocate hundreds
// of megabytes per frame, below Qt's own limit), or with a first frame that does not decode.
QMovie* decodeBanner(std::string_view bytes, QObject* parent) {
    if (!online::PlayableBannerOutline(online::OutlineGif(bytes)))
        return nullptr;
    auto* movie = new QMovie(parent);
    auto* buffer = new QBuffer(movie);
    buffer->setData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    buffer->open(QIODevice::ReadOnly);
    movie->setDevice(buffer);
    movie->setCacheMode(QMovie::CacheNone);
    if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentPixmap().isNull()) {
        delete movie;
        return nullptr;
    }
    return movie;
}

bool leftClickInside(const QWidget* widget, const QEvent* event) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton &&
           widget->rect().contains(mouse->position().toPoint());
}

} // namespace

void frmEuros::buildBannerStrip() {
    auto* strip = new QFrame(this);
    Picture2 = strip;
    strip->setObjectName(QStringLiteral("Picture2"));
    strip->setAccessibleName(QStringLiteral("Bandeau publicitaire"));
    ui::SetAccessibleRole(strip, QAccessible::Pane);
    strip->setGeometry(TwipsRect(120, 240, 8280, 975));
    ui::PaintBackground(strip, QColor(20, 40, 92));

    Gif89a1 = new QLabel(strip);
    Gif89a1->setObjectName(QStringLiteral("Gif89a1"));
    Gif89a1->setAccessibleName(QStringLiteral("Bannière animée"));
    Gif89a1->setGeometry(TwipsRect(1200, 0, 6900, 915));
    Gif89a1->hide();
    Image3 = ui::MakePicture(strip, "Image3", QStringLiteral(":/assets/banner_static.gif"),
                             TwipsRect(1560, 0, 5760, 990));
    Image3->setAccessibleName(
        QStringLiteral("Tirelix : francs et euros au taux officiel, 1 € = 6,55957 F"));
    Image2 = ui::MakePicture(strip, "Image2", QStringLiteral(":/assets/coin.png"),
                             TwipsRect(120, 0, 855, 795));
    Image2->setAccessibleName(QStringLiteral("Pièce d'un euro, site web"));
    ui::SetAccessibleAction(Image2, QAccessible::Link, [this] { Image2_Click(); });

    // Both start with the window's load step.
    Timer1 = new ui::Timer(QStringLiteral("Timer1"), 0, this);
    connect(Timer1, &ui::Timer::timeout, this, [this] { Timer1_Timer(); });
    Timer3 = new ui::Timer(QStringLiteral("Timer3"), 0, this);
    connect(Timer3, &ui::Timer::timeout, this, [this] { Timer3_Timer(); });
}

void frmEuros::startOnlineTimers() {
    Timer1->setInterval(online::kStartInterval);
    Timer3->setInterval(online::kDownloadPeriod);
}

// Qt delivers plain movements only to controls that track the mouse, and a control that does
// not track swallows them: the keys, the entry boxes and the banner keep whatever pointer the
// window has.
void frmEuros::wirePointerFeedback() {
    auto follow = [this](QWidget* w, bool restores) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        if (restores)
            w->setProperty(kRestoresPointer, true);
    };
    follow(this, true);
    for (QWidget* w : {Picture1, Picture2, Picture5, static_cast<QWidget*>(Label6),
                       static_cast<QWidget*>(TextChiffre), static_cast<QWidget*>(Euros),
                       static_cast<QWidget*>(Francs), static_cast<QWidget*>(Command5),
                       static_cast<QWidget*>(blocnote), blocnote->viewport()})
        follow(w, true);
    for (const char* name : {"Image1", "Image4"})
        follow(findChild<QLabel*>(QString::fromLatin1(name)), true);
    follow(Image2, false);
    Label2->installEventFilter(this);
}

bool frmEuros::pointerEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == Image2) {
            Image2_MouseMove();
            // Over the coin the strip below must not see the movement.
            return true;
        }
        if (watched->property(kRestoresPointer).toBool())
            ui::RestoreDefaultPointer(*this);
        return false;
    case QEvent::MouseButtonPress:
        if (watched == Label2)
            ui::RestoreDefaultPointer(*this);
        return false;
    case QEvent::MouseButtonRelease:
        if (watched == Image2 && leftClickInside(Image2, event)) {
            Image2_Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

// ---- Banner ----------------------------------------------------------------------------------

void frmEuros::Timer1_Timer() {
    const online::BannerTick tick = online::PlanBannerTick(Timer1->interval(), PubActive);
    if (!loadBanner(shared_.programFolder + QLatin1Char('/') + ui::qs(tick.file))) {
        emptyBanner();
        return;
    }
    switch (tick.phase) {
    case online::BannerPhase::StartAnimation: {
        Timer1->setInterval(tick.nextInterval);
        Image3->hide();
        showAnimation(true);
        QLineEdit* entry = Text1HadFocus ? Text1 : Text2;
        // A disabled window (the welcome window is open) cannot take the focus: the tick
        // fails there, with the static picture already hidden.
        if (!entry->isEnabled() || !entry->isVisible()) {
            emptyBanner();
            return;
        }
        bannerGivesFocus_ = true;
        entry->setFocus(Qt::OtherFocusReason);
        bannerGivesFocus_ = false;
        break;
    }
    case online::BannerPhase::EndAnimation:
        Image3->show();
        showAnimation(false);
        Timer1->setInterval(tick.nextInterval);
        break;
    case online::BannerPhase::None:
        showAnimation(Gif89a1->isVisible());
        break;
    }
}

// The file is read whole and played from memory, so that the download may replace it at any
// moment; it must decode, not merely exist.
bool frmEuros::loadBanner(const QString& path) {
    const auto bytes = ui::ReadWholeFile(path, kMaxBannerFileBytes);
    if (!bytes)
        return false;
    QMovie* movie = decodeBanner(*bytes, Gif89a1);
    if (!movie)
        return false;
    Gif89a1->setMovie(movie);
    delete bannerMovie_;
    bannerMovie_ = movie;
    return true;
}

void frmEuros::emptyBanner() {
    Gif89a1->clear();
    delete bannerMovie_;
    bannerMovie_ = nullptr;
    Gif89a1->hide();
}

// A hidden banner does not keep decoding frames.
void frmEuros::showAnimation(bool shown) {
    Gif89a1->setVisible(shown);
    if (!bannerMovie_)
        return;
    if (shown && bannerMovie_->state() != QMovie::Running)
        bannerMovie_->start();
    else if (!shown)
        bannerMovie_->stop();
}

// ---- Coin link -------------------------------------------------------------------------------

void frmEuros::Image2_Click() {
    SiteAddress = online::CoinAddress(SiteAddress, online_.defaultSiteAddress);
    if (services_.connection.IsConnected()) {
        if (online::IsWebAddress(SiteAddress))
            services_.browser.open(SiteAddress);
        return;
    }
    services_.dialogs.messageBox({"Vous n'êtes pas connecté à Internet !!!", "INFORMATION...",
                                  ui::Buttons::Ok, ui::Icon::Information, true});
}

void frmEuros::Image2_MouseMove() {
    if (!services_.connection.IsConnected())
        return;
    ui::ShowHandPointer(*this, shared_.programFolder);
    Image2->setToolTip(QStringLiteral("Connexion..."));
}

// ---- Download --------------------------------------------------------------------------------

bool frmEuros::downloadRunning() const {
    return Inet1 && Inet1->StillExecuting();
}

void frmEuros::Timer3_Timer() {
    const online::DownloadTickPlan plan = online::PlanDownloadTick(
        Pub->isChecked(), [this] { return services_.connection.IsConnected(); });
    if (plan.timer1Interval)
        Timer1->setInterval(*plan.timer1Interval);
    if (!plan.fetch)
        return;
    if (!Inet1) {
        // Without the network module there is nothing to fetch with: the tick ends silently.
        Inet1 = modules::CreateTransfer();
        if (!Inet1)
            return;
        Inet1->setStateListener([this](int state) { Inet1_StateChanged(state); });
    }
    // The previous tick's transfer is still running: this tick's fetch fails, silently.
    if (Inet1->StillExecuting())
        return;
    fetchSiteFile();
}

void frmEuros::fetchSiteFile() {
    const bool started = Inet1->OpenURL(
        ui::qs(online::SiteFileAddress(online_.downloadHost)),
        static_cast<qint64>(online::kSiteTextLimit), online_.fetchTimeLimit,
        [this](std::optional<QByteArray> text) {
            const auto content =
                text ? online::SiteFileContent(std::string_view(
                           text->constData(), static_cast<std::size_t>(text->size())))
                     : std::nullopt;
            if (!content || !ui::WriteFileAtomically(statePath("Site.eff"), *content)) {
                endDownload(false);
                return;
            }
            fetchBanner();
        });
    if (!started)
        endDownload(false);
}

void frmEuros::fetchBanner() {
    const bool started = Inet1->OpenURL(
        ui::qs(online::BannerAddress(online_.downloadHost)),
        static_cast<qint64>(online::kBannerLimit), online_.fetchTimeLimit,
        [this](std::optional<QByteArray> bytes) {
            const std::string_view content =
                bytes
                    ? std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size()))
                    : std::string_view();
            // A banner that would not play must not replace one that does.
            const std::unique_ptr<QMovie> plays(bytes ? decodeBanner(content, nullptr) : nullptr);
            endDownload(plays && ui::WriteFileAtomically(statePath("Pub2.gif"), content));
        });
    if (!started)
        endDownload(false);
}

void frmEuros::endDownload(bool replaced) {
    emit downloadEnded(replaced);
}

void frmEuros::Inet1_StateChanged(int state) {
    struct Trace final : online::TraceSink {
        frmEuros& window;
        explicit Trace(frmEuros& w) : window(w) {}
        void setStatus(std::string_view text) override { window.Etat->setText(ui::qs(text)); }
        void appendLine(std::string_view line) override { window.appendTrace(ui::qs(line)); }
    } trace(*this);
    struct NothingPending final : online::ChunkSource {
        std::string GetChunk(std::size_t) override { return {}; }
    } nothing;
    if (Inet1)
        online::ApplyStateChange(state, Inet1->lastError(), trace, *Inet1);
    else
        online::ApplyStateChange(state, {}, trace, nothing);
}

void frmEuros::appendTrace(const QString& line) {
    List1->addItem(line);
    while (List1->count() > kTraceLines)
        delete List1->takeItem(0);
}

// ---- About box -------------------------------------------------------------------------------

void frmEuros::Apropos_Click() {
    shell::WindowObject* about =
        services_.windows ? services_.windows->object(shell::WindowKind::frmAbout) : nullptr;
    if (!about)
        return;
    about->load();
    QWidget* box = about->widget();
    box->show();
    box->raise();
    box->activateWindow();
}
