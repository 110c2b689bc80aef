#include "platform/window_list.h"

#include <QByteArray>
#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace ui {

#if QT_CONFIG(xcb)
namespace {

// How far below a title-less top-level window its client is looked for: a frame may hold the
// client directly or through a wrapper window.
constexpr int kMaxDepth = 2;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

// Takes the reply and drops the error, if any: a window may go away between the listing and
// the reading, which is no failure of the scan.
template <class T, class Cookie, class Fetch>
Reply<T> take(xcb_connection_t* connection, Cookie cookie, Fetch fetch) {
    xcb_generic_error_t* error = nullptr;
    Reply<T> reply(fetch(connection, cookie, &error));
    std::free(error);
    return reply;
}

struct Atoms {
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t compoundText = XCB_ATOM_NONE;
    xcb_atom_t wmState = XCB_ATOM_NONE;
};

// The wanted title as each encoding of a window title carries it. Only enough of a title to
// tell "exactly this" from "something else" is read.
struct WantedTitle {
    QByteArray utf8;
    std::optional<QByteArray> latin1; // none when the title has characters beyond Latin-1
    std::uint32_t longs;              // 32-bit units to read: the title and a little beyond
};

WantedTitle wanted(const QString& title) {
    WantedTitle result{title.toUtf8(), std::nullopt, 0};
    if (std::all_of(title.begin(), title.end(), [](QChar c) { return c.unicode() < 256; }))
        result.latin1 = title.toLatin1();
    result.longs = static_cast<std::uint32_t>(result.utf8.size() / 4 + 1);
    return result;
}

struct TitleRead {
    bool titled = false;  // carries a non-empty title
    bool matches = false; // the title is exactly the wanted one
};

// One title property, or nullopt when the window does not carry it in a usable form.
std::optional<TitleRead> readTitle(const xcb_get_property_reply_t* reply,
                                   const std::optional<QByteArray>& expected) {
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return std::nullopt;
    const int length = xcb_get_property_value_length(reply);
    const QByteArrayView value(static_cast<const char*>(xcb_get_property_value(reply)), length);
    TitleRead read;
    read.titled = length > 0 || reply->bytes_after > 0;
    read.matches = expected && reply->bytes_after == 0 && value == *expected;
    return read;
}

struct Node {
    xcb_window_t id;
    std::size_t top; // index of the top-level window this one lies under (or is)
    bool titled = false;
    bool matches = false;
    bool managed = false; // WM_STATE: a window manager took it as a client
};

struct NodeCookies {
    xcb_get_property_cookie_t netWmName;
    xcb_get_property_cookie_t wmName;
    xcb_get_property_cookie_t wmState;
    std::optional<xcb_query_tree_cookie_t> tree;
};

// Per top-level window: the first managed window and the first titled window met, breadth
// first. The managed one is the client; without one, the titled one stands for the top.
struct TopState {
    std::optional<std::size_t> managed;
    std::optional<std::size_t> titled;
};

std::vector<xcb_window_t> childrenOf(const xcb_query_tree_reply_t* reply) {
    if (!reply)
        return {};
    const xcb_window_t* first = xcb_query_tree_children(reply);
    return {first, first + xcb_query_tree_children_length(reply)};
}

} // namespace
#endif

std::optional<std::vector<TitledWindow>> FindTopLevelWindowsTitled(const QString& title,
                                                                   std::span<const WId> ownIds) {
#if QT_CONFIG(xcb)
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* const connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return std::nullopt;

    // Every window that Qt makes for this process, the client leader and the selection owner
    // among them, is made on this connection, so its id lies in the connection's id range.
    const xcb_setup_t* const setup = xcb_get_setup(connection);
    const auto isOwn = [&](xcb_window_t id) {
        return (id & ~setup->resource_id_mask) == setup->resource_id_base ||
               std::find(ownIds.begin(), ownIds.end(), WId{id}) != ownIds.end();
    };

    // First round: the atoms and the root windows' children.
    constexpr std::array<std::string_view, 4> kAtomNames = {"_NET_WM_NAME", "UTF8_STRING",
                                                            "COMPOUND_TEXT", "WM_STATE"};
    std::array<xcb_intern_atom_cookie_t, kAtomNames.size()> atomCookies{};
    for (std::size_t i = 0; i < kAtomNames.size(); ++i)
        atomCookies[i] = xcb_intern_atom(
            connection, 0, static_cast<std::uint16_t>(kAtomNames[i].size()), kAtomNames[i].data());
    std::vector<xcb_query_tree_cookie_t> rootCookies;
    for (auto it = xcb_setup_roots_iterator(setup); it.rem > 0; xcb_screen_next(&it))
        rootCookies.push_back(xcb_query_tree(connection, it.data->root));

    std::array<xcb_atom_t, kAtomNames.size()> atomIds{};
    bool atomsKnown = true;
    for (std::size_t i = 0; i < kAtomNames.size(); ++i) {
        const auto reply =
            take<xcb_intern_atom_reply_t>(connection, atomCookies[i], xcb_intern_atom_reply);
        atomsKnown = atomsKnown && reply;
        atomIds[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    std::vector<Node> nodes;
    bool rootsListed = true;
    for (const auto cookie : rootCookies) {
        const auto reply = take<xcb_query_tree_reply_t>(connection, cookie, xcb_query_tree_reply);
        rootsListed = rootsListed && reply;
        for (const xcb_window_t id : childrenOf(reply.get()))
            nodes.push_back(Node{id, nodes.size()});
    }
    if (!atomsKnown || !rootsListed)
        return std::nullopt;
    const Atoms atoms{atomIds[0], atomIds[1], atomIds[2], atomIds[3]};
    const WantedTitle want = wanted(title);
    std::vector<TopState> tops(nodes.size());

    // Then one round a level: every request of the level is sent before any reply is read.
    std::size_t levelBegin = 0;
    for (int depth = 0; depth <= kMaxDepth && levelBegin < nodes.size(); ++depth) {
        const std::size_t levelEnd = nodes.size();
        std::vector<NodeCookies> cookies;
        cookies.reserve(levelEnd - levelBegin);
        for (std::size_t i = levelBegin; i < levelEnd; ++i) {
            const xcb_window_t id = nodes[i].id;
            NodeCookies c{xcb_get_property(connection, 0, id, atoms.netWmName, atoms.utf8String, 0,
                                           want.longs),
                          xcb_get_property(connection, 0, id, XCB_ATOM_WM_NAME,
                                           XCB_GET_PROPERTY_TYPE_ANY, 0, want.longs),
                          xcb_get_property(connection, 0, id, atoms.wmState, atoms.wmState, 0, 0),
                          std::nullopt};
            if (depth < kMaxDepth)
                c.tree = xcb_query_tree(connection, id);
            cookies.push_back(c);
        }

        std::vector<std::vector<xcb_window_t>> children(levelEnd - levelBegin);
        for (std::size_t i = levelBegin; i < levelEnd; ++i) {
            NodeCookies& c = cookies[i - levelBegin];
            Node& node = nodes[i];
            const auto netWmName =
                take<xcb_get_property_reply_t>(connection, c.netWmName, xcb_get_property_reply);
            const auto wmName =
                take<xcb_get_property_reply_t>(connection, c.wmName, xcb_get_property_reply);
            const auto wmState =
                take<xcb_get_property_reply_t>(connection, c.wmState, xcb_get_property_reply);
            if (c.tree)
                children[i - levelBegin] = childrenOf(
                    take<xcb_query_tree_reply_t>(connection, *c.tree, xcb_query_tree_reply).get());

            // _NET_WM_NAME wins over WM_NAME; WM_NAME may be Latin-1 (STRING, and COMPOUND_TEXT
            // without escape sequences reads the same), or UTF-8 from some clients.
            std::optional<TitleRead> read;
            if (netWmName && netWmName->type == atoms.utf8String)
                read = readTitle(netWmName.get(), want.utf8);
            if (!read && wmName) {
                const xcb_atom_t type = wmName->type;
                if (type == atoms.utf8String)
                    read = readTitle(wmName.get(), want.utf8);
                else if (type == XCB_ATOM_STRING || type == atoms.compoundText)
                    read = readTitle(wmName.get(), want.latin1);
                else
                    read = readTitle(wmName.get(), std::nullopt);
            }
            if (read) {
                node.titled = read->titled;
                node.matches = read->matches;
            }
            node.managed = wmState && wmState->type == atoms.wmState;

            TopState& top = tops[node.top];
            if (node.managed && !top.managed)
                top.managed = i;
            if (node.titled && !top.titled)
                top.titled = i;
        }
        if (xcb_connection_has_error(connection))
            return std::nullopt;

        // Only title-less windows that no window manager took as a client are looked into, and
        // only until their top-level window's client is found.
        for (std::size_t i = levelBegin; i < levelEnd; ++i) {
            const Node node = nodes[i];
            if (node.titled || node.managed || tops[node.top].managed)
                continue;
            for (const xcb_window_t child : children[i - levelBegin])
                nodes.push_back(Node{child, node.top});
        }
        levelBegin = levelEnd;
    }

    std::vector<TitledWindow> found;
    for (std::size_t t = 0; t < tops.size(); ++t) {
        const std::optional<std::size_t> client =
            tops[t].managed ? tops[t].managed : tops[t].titled;
        if (!client || !nodes[*client].matches)
            continue;
        const xcb_window_t id = nodes[*client].id;
        found.push_back(TitledWindow{id, isOwn(id) || isOwn(nodes[t].id)});
    }
    return found;
#else
    (void)title;
    (void)ownIds;
    return std::nullopt;
#endif
}

void ActivateWindow(std::uint32_t id) {
#if QT_CONFIG(xcb)
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* const connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return;
    constexpr std::string_view kName = "_NET_ACTIVE_WINDOW";
    const auto atom = take<xcb_intern_atom_reply_t>(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(kName.size()), kName.data()),
        xcb_intern_atom_reply);
    if (!atom)
        return;
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atom->atom;
    // Sent for the user, as a pager or task bar does: window managers then skip their
    // focus-stealing prevention.
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0;
         xcb_screen_next(&it))
        xcb_send_event(connection, 0, it.data->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    // A round trip: the request has reached the server before this process ends.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
#else
    (void)id;
#endif
}

} // namespace ui
