// The desktop's calendar reached through Evolution Data Server's client library.
#include <libecal/libecal.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "outlook/local/desktop/desktop_calendar.h"

namespace outlook::local::desktop {
namespace {

// Marks the components we wrote and keeps the stamp they were written with; EDS sets
// LAST-MODIFIED itself, so it cannot say which version of an item a component is.
constexpr const char* kStampProperty = "X-JOTWISE-STAMP";

template <typename T>
struct Unref {
    void operator()(T* object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using Ref = std::unique_ptr<T, Unref<T>>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

ECalClientSourceType sourceType(DesktopList list) {
    switch (list) {
        case DesktopList::Calendar:
            return E_CAL_CLIENT_SOURCE_TYPE_EVENTS;
        case DesktopList::Tasks:
            return E_CAL_CLIENT_SOURCE_TYPE_TASKS;
        case DesktopList::Memos:
            return E_CAL_CLIENT_SOURCE_TYPE_MEMOS;
    }
    return E_CAL_CLIENT_SOURCE_TYPE_EVENTS;
}

const char* listName(DesktopList list) {
    switch (list) {
        case DesktopList::Calendar:
            return "calendar";
        case DesktopList::Tasks:
            return "task list";
        case DesktopList::Memos:
            return "memo list";
    }
    return "calendar";
}

// Errors in which the service answered and turned the call down; any other means it could not
// be reached, or the connection to it broke.
bool isRefusal(const GError* error) {
    if (error->domain == E_CAL_CLIENT_ERROR) return true;
    return error->domain == E_CLIENT_ERROR && (error->code == E_CLIENT_ERROR_INVALID_ARG ||
                                               error->code == E_CLIENT_ERROR_PERMISSION_DENIED ||
                                               error->code == E_CLIENT_ERROR_NOT_SUPPORTED ||
                                               error->code == E_CLIENT_ERROR_INVALID_QUERY ||
                                               error->code == E_CLIENT_ERROR_QUERY_REFUSED);
}

// The value of our stamp property; nothing when the component has none.
std::optional<std::string> stampOf(ICalComponent* component) {
    for (Ref<ICalProperty> property(
             i_cal_component_get_first_property(component, I_CAL_X_PROPERTY));
         property; property.reset(i_cal_component_get_next_property(component, I_CAL_X_PROPERTY))) {
        const char* name = i_cal_property_get_x_name(property.get());
        if (name && g_ascii_strcasecmp(name, kStampProperty) == 0) {
            const char* value = i_cal_property_get_x(property.get());
            return std::string(value ? value : "");
        }
    }
    return std::nullopt;
}

class EdsCalendar final : public DesktopCalendar {
public:
    explicit EdsCalendar(const DesktopSources& sources)
        : sources_(sources), context_(g_main_context_new()), cancellable_(g_cancellable_new()) {}

    ~EdsCalendar() override {
        {
            Scope scope(*this);
            disconnect();
        }
        g_object_unref(cancellable_);
        g_main_context_unref(context_);
    }

    DesktopResult put(DesktopList list, const std::string& calendar, const std::string& stamp,
                      std::string& error) noexcept override {
        Scope scope(*this);
        Ref<ICalComponent> parsed(i_cal_component_new_from_string(calendar.c_str()));
        if (!parsed) {
            error = "the item's iCalendar text cannot be read";
            return DesktopResult::Refused;
        }
        Ref<ICalComponent> item = itemOf(parsed.get());
        if (!item) {
            error = "the item's iCalendar text holds no event, task or journal entry";
            return DesktopResult::Refused;
        }
        setStamp(item.get(), stamp);
        return withClient(list, error, [&](ECalClient* client, GError** failure) {
            if (!addTimeZones(client, parsed.get(), failure)) return false;
            if (e_cal_client_create_object_sync(client, item.get(), E_CAL_OPERATION_FLAG_NONE,
                                                nullptr, cancellable_, failure))
                return true;
            if (!g_error_matches(*failure, E_CAL_CLIENT_ERROR,
                                 E_CAL_CLIENT_ERROR_OBJECT_ID_ALREADY_EXISTS))
                return false;
            g_clear_error(failure);
            return e_cal_client_modify_object_sync(client, item.get(), E_CAL_OBJ_MOD_ALL,
                                                   E_CAL_OPERATION_FLAG_NONE, cancellable_,
                                                   failure) != FALSE;
        });
    }

    DesktopResult remove(DesktopList list, const std::string& uid,
                         std::string& error) noexcept override {
        Scope scope(*this);
        return withClient(list, error, [&](ECalClient* client, GError** failure) {
            if (e_cal_client_remove_object_sync(client, uid.c_str(), nullptr, E_CAL_OBJ_MOD_ALL,
                                                E_CAL_OPERATION_FLAG_NONE, cancellable_, failure))
                return true;
            if (!g_error_matches(*failure, E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND))
                return false;
            g_clear_error(failure);
            return true;
        });
    }

    DesktopResult list(DesktopList list, std::vector<DesktopComponent>& components,
                       std::string& error) noexcept override {
        Scope scope(*this);
        components.clear();
        return withClient(list, error, [&](ECalClient* client, GError** failure) {
            GSList* objects = nullptr;
            if (!e_cal_client_get_object_list_sync(client, "#t", &objects, cancellable_, failure))
                return false;
            for (GSList* at = objects; at; at = at->next) {
                auto* component = static_cast<ICalComponent*>(at->data);
                const char* uid = i_cal_component_get_uid(component);
                if (!uid) continue;
                if (auto stamp = stampOf(component)) components.push_back({uid, *stamp});
            }
            g_slist_free_full(objects, g_object_unref);
            return true;
        });
    }

    DesktopResult sourceName(DesktopList list, std::string& name,
                             std::string& error) noexcept override {
        Scope scope(*this);
        return withClient(list, error, [&](ECalClient* client, GError**) {
            const char* display = e_source_get_display_name(e_client_get_source(E_CLIENT(client)));
            name = display ? display : "";
            return true;
        });
    }

    void cancel() noexcept override { g_cancellable_cancel(cancellable_); }

private:
    // The module's calls run with a main context of their own as the thread's default, so
    // that nothing EDS schedules reaches the program's event loop; what it scheduled is run
    // before the call returns.
    struct Scope {
        explicit Scope(EdsCalendar& calendar) : context(calendar.context_) {
            g_main_context_push_thread_default(context);
        }
        ~Scope() {
            while (g_main_context_iteration(context, FALSE)) {
            }
            g_main_context_pop_thread_default(context);
        }
        GMainContext* context;
    };

    // The VEVENT, VTODO or VJOURNAL of a VCALENDAR (or the text's own component), on its own.
    static Ref<ICalComponent> itemOf(ICalComponent* parsed) {
        const ICalComponentKind kind = i_cal_component_isa(parsed);
        if (kind == I_CAL_VEVENT_COMPONENT || kind == I_CAL_VTODO_COMPONENT ||
            kind == I_CAL_VJOURNAL_COMPONENT)
            return Ref<ICalComponent>(i_cal_component_clone(parsed));
        for (Ref<ICalComponent> child(
                 i_cal_component_get_first_component(parsed, I_CAL_ANY_COMPONENT));
             child; child.reset(i_cal_component_get_next_component(parsed, I_CAL_ANY_COMPONENT))) {
            const ICalComponentKind childKind = i_cal_component_isa(child.get());
            if (childKind == I_CAL_VEVENT_COMPONENT || childKind == I_CAL_VTODO_COMPONENT ||
                childKind == I_CAL_VJOURNAL_COMPONENT)
                return Ref<ICalComponent>(i_cal_component_clone(child.get()));
        }
        return nullptr;
    }

    static void setStamp(ICalComponent* item, const std::string& stamp) {
        ICalProperty* property = i_cal_property_new_x(stamp.c_str());
        i_cal_property_set_x_name(property, kStampProperty);
        i_cal_component_take_property(item, property);
    }

    // The calendar learns the time zones a repeating item's local times name.
    bool addTimeZones(ECalClient* client, ICalComponent* parsed, GError** failure) {
        for (Ref<ICalComponent> child(
                 i_cal_component_get_first_component(parsed, I_CAL_VTIMEZONE_COMPONENT));
             child;
             child.reset(i_cal_component_get_next_component(parsed, I_CAL_VTIMEZONE_COMPONENT))) {
            Ref<ICalTimezone> zone(i_cal_timezone_new());
            Ref<ICalComponent> copy(i_cal_component_clone(child.get()));
            if (!i_cal_timezone_set_component(zone.get(), copy.get())) continue;
            if (!e_cal_client_add_timezone_sync(client, zone.get(), cancellable_, failure))
                return false;
        }
        return true;
    }

    // Runs `call` on the list's client, connecting first. A connection that broke (the
    // service restarted) is made again once before the call counts as unavailable.
    template <typename Call>
    DesktopResult withClient(DesktopList list, std::string& error, Call call) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            GError* raw = nullptr;
            ECalClient* client = connect(list, &raw);
            if (client && call(client, &raw)) return DesktopResult::Done;
            Error failure(raw);
            const std::string reason = failure ? failure->message : "no reason given";
            error = reason + " (" + listName(list) + ")";
            if (g_cancellable_is_cancelled(cancellable_)) return DesktopResult::Unavailable;
            if (client && failure && isRefusal(failure.get())) return DesktopResult::Refused;
            disconnect();
        }
        return DesktopResult::Unavailable;
    }

    ECalClient* connect(DesktopList list, GError** failure) {
        const auto index = static_cast<std::size_t>(list);
        if (clients_[index]) return clients_[index];
        if (!registry_) registry_ = e_source_registry_new_sync(cancellable_, failure);
        if (!registry_) return nullptr;
        const std::string& uid = list == DesktopList::Calendar ? sources_.calendar
                                 : list == DesktopList::Tasks  ? sources_.taskList
                                                               : sources_.memoList;
        Ref<ESource> source;
        if (!uid.empty()) {
            source.reset(e_source_registry_ref_source(registry_, uid.c_str()));
            if (!source) {
                g_set_error(failure, G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "there is no source %s",
                            uid.c_str());
                return nullptr;
            }
        } else if (list == DesktopList::Calendar) {
            source.reset(e_source_registry_ref_default_calendar(registry_));
        } else if (list == DesktopList::Tasks) {
            source.reset(e_source_registry_ref_default_task_list(registry_));
        } else {
            source.reset(e_source_registry_ref_default_memo_list(registry_));
        }
        if (!source) {
            g_set_error(failure, G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "there is no default one");
            return nullptr;
        }
        // (guint32) -1 connects without waiting for the source to go online: 0 would not mean
        // "no wait", and a positive wait blocks that long where no network is to be had. A
        // source that is offline keeps what it is given and sends it on later.
        EClient* client = e_cal_client_connect_sync(source.get(), sourceType(list), (guint32)-1,
                                                    cancellable_, failure);
        clients_[index] = client ? E_CAL_CLIENT(client) : nullptr;
        return clients_[index];
    }

    void disconnect() {
        for (ECalClient*& client : clients_)
            if (client) g_object_unref(std::exchange(client, nullptr));
        if (registry_) g_object_unref(std::exchange(registry_, nullptr));
    }

    DesktopSources sources_;
    GMainContext* context_;
    GCancellable* cancellable_;
    ESourceRegistry* registry_ = nullptr;
    std::array<ECalClient*, 3> clients_{};
};

}  // namespace
}  // namespace outlook::local::desktop

extern "C" __attribute__((visibility("default"))) outlook::local::desktop::DesktopCalendar*
jotwise_desktop_calendar_new(const outlook::local::desktop::DesktopSources& sources) {
    try {
        return new outlook::local::desktop::EdsCalendar(sources);
    } catch (...) {
        return nullptr;
    }
}
