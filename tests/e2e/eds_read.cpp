// Prints what the desktop's default calendar, task list or memo list holds, as iCalendar text,
// read through EDS's client library as any other program of the desktop reads it.
#include <libecal/libecal.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jotwise_eds_read calendar|tasks|memos\n");
        return 2;
    }
    const char* which = argv[1];
    GError* error = nullptr;
    ESourceRegistry* registry = e_source_registry_new_sync(nullptr, &error);
    if (!registry) {
        std::fprintf(stderr, "jotwise_eds_read: %s\n", error->message);
        return 1;
    }
    ESource* source = nullptr;
    ECalClientSourceType type = E_CAL_CLIENT_SOURCE_TYPE_EVENTS;
    if (std::strcmp(which, "calendar") == 0) {
        source = e_source_registry_ref_default_calendar(registry);
    } else if (std::strcmp(which, "tasks") == 0) {
        source = e_source_registry_ref_default_task_list(registry);
        type = E_CAL_CLIENT_SOURCE_TYPE_TASKS;
    } else if (std::strcmp(which, "memos") == 0) {
        source = e_source_registry_ref_default_memo_list(registry);
        type = E_CAL_CLIENT_SOURCE_TYPE_MEMOS;
    } else {
        std::fprintf(stderr, "jotwise_eds_read: no list '%s'\n", which);
        return 2;
    }
    EClient* client = e_cal_client_connect_sync(source, type, (guint32)-1, nullptr, &error);
    if (!client) {
        std::fprintf(stderr, "jotwise_eds_read: %s\n", error->message);
        return 1;
    }
    GSList* objects = nullptr;
    if (!e_cal_client_get_object_list_sync(E_CAL_CLIENT(client), "#t", &objects, nullptr, &error)) {
        std::fprintf(stderr, "jotwise_eds_read: %s\n", error->message);
        return 1;
    }
    for (GSList* at = objects; at; at = at->next) {
        gchar* text = i_cal_component_as_ical_string(static_cast<ICalComponent*>(at->data));
        std::fputs(text, stdout);
        g_free(text);
    }
    g_slist_free_full(objects, g_object_unref);
    g_object_unref(client);
    g_object_unref(source);
    g_object_unref(registry);
    return 0;
}
