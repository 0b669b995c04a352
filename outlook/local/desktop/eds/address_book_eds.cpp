// The desktop's address book through libebook: the contacts of one book as vCard text, and a
// view of the book that says when they change. The book's signals arrive on a GLib main
// context of the calling thread's own, which only a wait iterates, so nothing here runs on
// another thread or in the program's main loop.
#include <libebook/libebook.h>

#include <atomic>
#include <string>

#include "outlook/local/desktop/address_book_module.h"

#define JOTWISE_EXPORT extern "C" __attribute__((visibility("default")))

struct JotwiseAddressBook {
    GMainContext* context = nullptr;
    GCancellable* cancellable = nullptr;
    ESourceRegistry* registry = nullptr;
    EBookClient* client = nullptr;
    EBookClientView* view = nullptr;
    bool changed = false;
    bool lost = false;
    std::atomic<bool> stopped{false};
};

namespace {

void tell(JotwiseTextSink sink, void* context, const std::string& text) {
    if (sink) sink(context, text.c_str());
}

// Tells the error, frees it, and gives 0.
int failed(JotwiseTextSink sink, void* context, const char* what, GError* error) {
    tell(sink, context, std::string(what) + (error ? std::string(": ") + error->message : ""));
    if (error) g_error_free(error);
    return 0;
}

void onChanged(EBookClientView*, gpointer, gpointer data) {
    static_cast<JotwiseAddressBook*>(data)->changed = true;
}

void onBackendDied(EClient*, gpointer data) {
    static_cast<JotwiseAddressBook*>(data)->lost = true;
}

gboolean onTimeout(gpointer data) {
    *static_cast<bool*>(data) = true;
    return G_SOURCE_REMOVE;
}

void disconnect(JotwiseAddressBook* book) {
    if (book->view) {
        g_signal_handlers_disconnect_by_data(book->view, book);
        e_book_client_view_stop(book->view, nullptr);
        g_clear_object(&book->view);
    }
    if (book->client) {
        g_signal_handlers_disconnect_by_data(book->client, book);
        g_clear_object(&book->client);
    }
    g_clear_object(&book->registry);
}

}  // namespace

JOTWISE_EXPORT JotwiseAddressBook* jotwise_address_book_new() {
    auto* book = new JotwiseAddressBook;
    book->context = g_main_context_new();
    g_main_context_push_thread_default(book->context);
    book->cancellable = g_cancellable_new();
    return book;
}

JOTWISE_EXPORT int jotwise_address_book_connect(JotwiseAddressBook* book, const char* source_uid,
                                                JotwiseTextSink error, void* context) {
    if (!book || book->stopped) return 0;
    disconnect(book);
    book->changed = book->lost = false;
    GError* problem = nullptr;
    book->registry = e_source_registry_new_sync(book->cancellable, &problem);
    if (!book->registry)
        return failed(error, context, "the desktop's sources cannot be read", problem);
    ESource* source = source_uid && *source_uid
                          ? e_source_registry_ref_source(book->registry, source_uid)
                          : e_source_registry_ref_default_address_book(book->registry);
    if (!source) {
        tell(error, context, std::string("the desktop has no address book '") + source_uid + "'");
        return 0;
    }
    // (guint32) -1: a local book is used at once; 0 would not mean "no wait" and a positive
    // wait blocks that long where no network is up.
    EClient* client =
        e_book_client_connect_sync(source, static_cast<guint32>(-1), book->cancellable, &problem);
    g_object_unref(source);
    if (!client) return failed(error, context, "the address book cannot be opened", problem);
    book->client = E_BOOK_CLIENT(client);
    g_signal_connect(book->client, "backend-died", G_CALLBACK(onBackendDied), book);

    EBookQuery* query = e_book_query_any_field_contains("");
    gchar* expression = e_book_query_to_string(query);
    e_book_query_unref(query);
    const gboolean viewed = e_book_client_get_view_sync(book->client, expression, &book->view,
                                                        book->cancellable, &problem);
    g_free(expression);
    if (!viewed) return failed(error, context, "the address book cannot be followed", problem);
    // The contacts are read on their own; the view only says that something changed.
    e_book_client_view_set_flags(book->view, E_BOOK_CLIENT_VIEW_FLAGS_NONE, nullptr);
    for (const char* signal : {"objects-added", "objects-modified", "objects-removed"})
        g_signal_connect(book->view, signal, G_CALLBACK(onChanged), book);
    e_book_client_view_start(book->view, &problem);
    if (problem) return failed(error, context, "the address book cannot be followed", problem);
    return 1;
}

JOTWISE_EXPORT int jotwise_address_book_read(JotwiseAddressBook* book, JotwiseTextSink card,
                                             JotwiseTextSink error, void* context) {
    if (!book || !book->client) {
        tell(error, context, "the address book is not open");
        return 0;
    }
    GSList* contacts = nullptr;
    GError* problem = nullptr;
    if (!e_book_client_get_contacts_sync(book->client, "", &contacts, book->cancellable, &problem))
        return failed(error, context, "the address book cannot be read", problem);
    for (GSList* at = contacts; at; at = at->next) {
        gchar* text = e_vcard_to_string(E_VCARD(at->data), EVC_FORMAT_VCARD_30);
        if (card && text) card(context, text);
        g_free(text);
    }
    g_slist_free_full(contacts, g_object_unref);
    return 1;
}

JOTWISE_EXPORT int jotwise_address_book_wait(JotwiseAddressBook* book, int timeout_ms) {
    if (!book) return 0;
    bool timedOut = false;
    GSource* timeout = g_timeout_source_new(static_cast<guint>(timeout_ms < 0 ? 0 : timeout_ms));
    g_source_set_callback(timeout, onTimeout, &timedOut, nullptr);
    g_source_attach(timeout, book->context);
    while (!book->changed && !book->lost && !timedOut && !book->stopped)
        g_main_context_iteration(book->context, TRUE);
    g_source_destroy(timeout);
    g_source_unref(timeout);
    // What else has arrived belongs to the same change.
    while (!book->stopped && g_main_context_iteration(book->context, FALSE)) {
    }
    if (book->lost) return -1;
    const bool changed = book->changed && !book->stopped;
    book->changed = false;
    return changed ? 1 : 0;
}

JOTWISE_EXPORT void jotwise_address_book_stop(JotwiseAddressBook* book) {
    if (!book) return;
    book->stopped = true;
    g_cancellable_cancel(book->cancellable);
    g_main_context_wakeup(book->context);
}

JOTWISE_EXPORT void jotwise_address_book_free(JotwiseAddressBook* book) {
    if (!book) return;
    disconnect(book);
    g_main_context_pop_thread_default(book->context);
    g_main_context_unref(book->context);
    g_object_unref(book->cancellable);
    delete book;
}
