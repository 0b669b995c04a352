// Changes the desktop's default address book the way another program would, for the tests that
// check that Jotwise follows it:
//   eds_contacts_tool add "FULL NAME" EMAIL     prints the new contact's UID
//   eds_contacts_tool change UID EMAIL
//   eds_contacts_tool remove UID
#include <libebook/libebook.h>

#include <cstdio>
#include <cstring>

namespace {

int fail(const char* what, GError* error) {
    std::fprintf(stderr, "eds_contacts_tool: %s: %s\n", what, error ? error->message : "failed");
    if (error) g_error_free(error);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool add = argc == 4 && std::strcmp(argv[1], "add") == 0;
    const bool change = argc == 4 && std::strcmp(argv[1], "change") == 0;
    const bool remove = argc == 3 && std::strcmp(argv[1], "remove") == 0;
    if (!add && !change && !remove) {
        std::fprintf(stderr,
                     "usage: eds_contacts_tool add NAME EMAIL | change UID EMAIL | "
                     "remove UID\n");
        return 2;
    }
    GError* error = nullptr;
    ESourceRegistry* registry = e_source_registry_new_sync(nullptr, &error);
    if (!registry) return fail("the sources", error);
    ESource* source = e_source_registry_ref_default_address_book(registry);
    EClient* client = e_book_client_connect_sync(source, static_cast<guint32>(-1), nullptr, &error);
    if (!client) return fail("the address book", error);
    EBookClient* book = E_BOOK_CLIENT(client);
    if (add) {
        EContact* contact = e_contact_new();
        e_contact_set(contact, E_CONTACT_FULL_NAME, argv[2]);
        e_contact_set(contact, E_CONTACT_EMAIL_1, argv[3]);
        gchar* uid = nullptr;
        if (!e_book_client_add_contact_sync(book, contact, E_BOOK_OPERATION_FLAG_NONE, &uid,
                                            nullptr, &error))
            return fail("add", error);
        std::printf("%s\n", uid);
        g_free(uid);
        g_object_unref(contact);
    } else if (change) {
        EContact* contact = nullptr;
        if (!e_book_client_get_contact_sync(book, argv[2], &contact, nullptr, &error))
            return fail("find", error);
        e_contact_set(contact, E_CONTACT_EMAIL_1, argv[3]);
        if (!e_book_client_modify_contact_sync(book, contact, E_BOOK_OPERATION_FLAG_NONE, nullptr,
                                               &error))
            return fail("change", error);
        g_object_unref(contact);
    } else if (!e_book_client_remove_contact_by_uid_sync(book, argv[2], E_BOOK_OPERATION_FLAG_NONE,
                                                         nullptr, &error)) {
        return fail("remove", error);
    }
    g_object_unref(client);
    g_object_unref(source);
    g_object_unref(registry);
    return 0;
}
