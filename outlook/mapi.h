#pragma once

// The messaging interfaces the Outlook bridge calls, as C++ interfaces. They keep the
// shape of the messaging API (HRESULT-style results, property tags, entry ids, tables,
// advise sinks, reference-counted objects) while owning their data as C++ values: rows,
// property arrays and address lists free themselves.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace mapi {

using ULONG = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using HRESULT = std::int32_t;

constexpr HRESULT hr(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}
constexpr bool Failed(HRESULT result) {
    return result < 0;
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOINTERFACE = hr(0x80004002);
inline constexpr HRESULT MAPI_E_CALL_FAILED = hr(0x80004005);
inline constexpr HRESULT MAPI_E_NOT_ENOUGH_MEMORY = hr(0x8007000E);
inline constexpr HRESULT MAPI_E_INVALID_PARAMETER = hr(0x80070057);
inline constexpr HRESULT MAPI_E_NO_ACCESS = hr(0x80070005);
inline constexpr HRESULT MAPI_E_NO_SUPPORT = hr(0x80040102);
inline constexpr HRESULT MAPI_E_INVALID_ENTRYID = hr(0x80040107);
inline constexpr HRESULT MAPI_E_NOT_FOUND = hr(0x8004010F);
inline constexpr HRESULT MAPI_E_LOGON_FAILED = hr(0x80040111);
inline constexpr HRESULT MAPI_E_USER_CANCEL = hr(0x80040113);
inline constexpr HRESULT MAPI_E_NOT_INITIALIZED = hr(0x80040605);

// --- Identifiers ------------------------------------------------------------------------

struct GUID {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};
    friend bool operator==(const GUID&, const GUID&) = default;
};

inline constexpr GUID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IMAPIAdviseSink{
    0x00020302, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID PSETID_Address{0x00062004, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Binary values: entry ids, search keys.
using Binary = std::vector<std::uint8_t>;
using EntryId = Binary;

// Two upper-case hexadecimal digits per byte.
std::string HexFromBin(const Binary& bytes);
// The bytes of an even-length hexadecimal text (either case); nothing when it is not one.
std::optional<Binary> FBinFromHex(std::string_view hex);

// --- Properties -------------------------------------------------------------------------

using PropTag = ULONG;

constexpr PropTag PROP_TAG(ULONG type, ULONG id) {
    return (id << 16) | type;
}
constexpr ULONG PROP_TYPE(PropTag tag) {
    return tag & 0xFFFF;
}
constexpr ULONG PROP_ID(PropTag tag) {
    return tag >> 16;
}
constexpr PropTag CHANGE_PROP_TYPE(PropTag tag, ULONG type) {
    return (tag & 0xFFFF0000) | type;
}

inline constexpr ULONG PT_UNSPECIFIED = 0x0000;
inline constexpr ULONG PT_NULL = 0x0001;
inline constexpr ULONG PT_I2 = 0x0002;
inline constexpr ULONG PT_LONG = 0x0003;
inline constexpr ULONG PT_DOUBLE = 0x0005;
inline constexpr ULONG PT_APPTIME = 0x0007;
inline constexpr ULONG PT_ERROR = 0x000A;
inline constexpr ULONG PT_BOOLEAN = 0x000B;
inline constexpr ULONG PT_OBJECT = 0x000D;
inline constexpr ULONG PT_I8 = 0x0014;
inline constexpr ULONG PT_STRING8 = 0x001E;
inline constexpr ULONG PT_UNICODE = 0x001F;
inline constexpr ULONG PT_SYSTIME = 0x0040;
inline constexpr ULONG PT_BINARY = 0x0102;

inline constexpr PropTag PR_MESSAGE_CLASS = 0x001A001E;
inline constexpr PropTag PR_SUBJECT = 0x0037001E;
inline constexpr PropTag PR_RECIPIENT_TYPE = 0x0C150003;
inline constexpr PropTag PR_BODY = 0x1000001E;
inline constexpr PropTag PR_DISPLAY_NAME = 0x3001001E;
inline constexpr PropTag PR_ADDRTYPE = 0x3002001E;
inline constexpr PropTag PR_EMAIL_ADDRESS = 0x3003001E;
inline constexpr PropTag PR_COMMENT = 0x3004001E;
inline constexpr PropTag PR_CREATION_TIME = 0x30070040;
inline constexpr PropTag PR_LAST_MODIFICATION_TIME = 0x30080040;
// When anything in a folder last changed.
inline constexpr PropTag PR_LOCAL_COMMIT_TIME_MAX = 0x670A0040;
inline constexpr PropTag PR_PARENT_ENTRYID = 0x0E090102;
inline constexpr PropTag PR_INSTANCE_KEY = 0x0FF60102;
inline constexpr PropTag PR_STORE_ENTRYID = 0x0FFB0102;
inline constexpr PropTag PR_OBJECT_TYPE = 0x0FFE0003;
inline constexpr PropTag PR_ENTRYID = 0x0FFF0102;
inline constexpr PropTag PR_DISPLAY_TYPE = 0x39000003;
inline constexpr PropTag PR_GIVEN_NAME = 0x3A06001E;
inline constexpr PropTag PR_BUSINESS_TELEPHONE_NUMBER = 0x3A08001E;
inline constexpr PropTag PR_SURNAME = 0x3A11001E;
inline constexpr PropTag PR_ORIGINAL_ENTRYID = 0x3A120102;
inline constexpr PropTag PR_COMPANY_NAME = 0x3A16001E;
inline constexpr PropTag PR_TITLE = 0x3A17001E;
inline constexpr PropTag PR_COUNTRY = 0x3A26001E;
inline constexpr PropTag PR_LOCALITY = 0x3A27001E;
inline constexpr PropTag PR_STATE_OR_PROVINCE = 0x3A28001E;
inline constexpr PropTag PR_STREET_ADDRESS = 0x3A29001E;
inline constexpr PropTag PR_POSTAL_CODE = 0x3A2A001E;
inline constexpr PropTag PR_POST_OFFICE_BOX = 0x3A2B001E;

// A point in time as a FILETIME: 100-nanosecond intervals since 1 January 1601 (UTC).
struct FileTime {
    std::int64_t ticks = 0;
    friend bool operator==(const FileTime&, const FileTime&) = default;
};

// The value of a PT_ERROR property: why the object has no value for the tag.
struct PropError {
    HRESULT code = S_OK;
    friend bool operator==(const PropError&, const PropError&) = default;
};

// One property value; the tag's type says which alternative it holds. PT_NULL values
// (tag changed to PT_NULL) carry nothing and are ignored by SetProps. PT_ERROR values
// carry the error code, as GetProps returns them for tags the object does not have.
struct SPropValue {
    using Value = std::variant<std::monostate, std::int32_t, bool, double, std::int64_t,
                               std::string, Binary, FileTime, PropError>;
    PropTag ulPropTag = 0;
    Value value;

    friend bool operator==(const SPropValue&, const SPropValue&) = default;

    static SPropValue string(PropTag tag, std::string text) {
        return {tag, Value(std::move(text))};
    }
    static SPropValue binary(PropTag tag, Binary bytes) { return {tag, Value(std::move(bytes))}; }
    static SPropValue integer(PropTag tag, std::int32_t v) { return {tag, Value(v)}; }
    static SPropValue boolean(PropTag tag, bool v) { return {tag, Value(v)}; }
    static SPropValue error(PropTag tag, HRESULT code) {
        return {CHANGE_PROP_TYPE(tag, PT_ERROR), PropError{code}};
    }

    // The value when the tag's type matches; nullptr otherwise.
    const std::string* asString8() const;
    const Binary* asBinary() const;
    const std::int32_t* asLong() const;
    const FileTime* asFileTime() const;
};

using PropValueArray = std::vector<SPropValue>;
using PropTagArray = std::vector<PropTag>;
using Row = PropValueArray;
using RowSet = std::vector<Row>;

// The first value in `values` whose tag is exactly `tag`, or nullptr.
const SPropValue* FindProp(const PropValueArray& values, PropTag tag);

// Named properties: a property set and a numeric id or a name.
inline constexpr ULONG MNID_ID = 0;
inline constexpr ULONG MNID_STRING = 1;
struct MAPINAMEID {
    GUID guid;
    ULONG ulKind = MNID_ID;
    std::int32_t lID = 0;
    std::string name;
};

// --- Object types and flags -------------------------------------------------------------

inline constexpr ULONG MAPI_STORE = 1;
inline constexpr ULONG MAPI_ADDRBOOK = 2;
inline constexpr ULONG MAPI_FOLDER = 3;
inline constexpr ULONG MAPI_ABCONT = 4;
inline constexpr ULONG MAPI_MESSAGE = 5;
inline constexpr ULONG MAPI_MAILUSER = 6;
inline constexpr ULONG MAPI_ATTACH = 7;
inline constexpr ULONG MAPI_DISTLIST = 8;
inline constexpr ULONG MAPI_SESSION = 11;

inline constexpr ULONG MAPI_MODIFY = 0x00000001;
inline constexpr ULONG MAPI_CREATE = 0x00000002;
inline constexpr ULONG MAPI_LOGON_UI = 0x00000001;
inline constexpr ULONG MAPI_ALLOW_OTHERS = 0x00000008;
inline constexpr ULONG MAPI_TIMEOUT_SHORT = 0x00100000;
inline constexpr ULONG MDB_WRITE = 0x00000004;
inline constexpr ULONG MDB_NO_MAIL = 0x00000080;
inline constexpr ULONG KEEP_OPEN_READWRITE = 0x00000004;

inline constexpr ULONG MAPI_ORIG = 0;
inline constexpr ULONG MAPI_TO = 1;
inline constexpr ULONG MAPI_CC = 2;
inline constexpr ULONG MAPI_BCC = 3;

// Address dialog flags.
inline constexpr ULONG DIALOG_MODAL = 0x00000001;
inline constexpr ULONG DIALOG_SDI = 0x00000002;
inline constexpr ULONG DIALOG_OPTIONS = 0x00000004;
inline constexpr ULONG ADDRESS_ONE = 0x00000008;
inline constexpr ULONG AB_SELECTONLY = 0x00000010;
inline constexpr ULONG AB_RESOLVE = 0x00000020;

// --- Notifications ----------------------------------------------------------------------

inline constexpr ULONG fnevTableModified = 0x00000100;

inline constexpr ULONG TABLE_CHANGED = 1;
inline constexpr ULONG TABLE_ERROR = 2;
inline constexpr ULONG TABLE_ROW_ADDED = 3;
inline constexpr ULONG TABLE_ROW_DELETED = 4;
inline constexpr ULONG TABLE_ROW_MODIFIED = 5;
inline constexpr ULONG TABLE_SORT_DONE = 6;
inline constexpr ULONG TABLE_RESTRICT_DONE = 7;
inline constexpr ULONG TABLE_SETCOL_DONE = 8;
inline constexpr ULONG TABLE_RELOAD = 9;

struct TABLE_NOTIFICATION {
    ULONG ulTableEvent = 0;
    HRESULT hResult = S_OK;
    SPropValue propIndex;  // the row's PR_INSTANCE_KEY
    SPropValue propPrior;  // the preceding row's PR_INSTANCE_KEY, for added and modified rows
    Row row;               // the row's columns, for added and modified rows
};

struct NOTIFICATION {
    ULONG ulEventType = 0;
    TABLE_NOTIFICATION tab;
};

// --- Reference-counted objects ----------------------------------------------------------

// The base of every messaging object. Objects are created with one reference held by
// their creator; Release frees the object when the count reaches 0.
class IUnknown {
public:
    virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

// Owns one reference to an object.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr adopt(T* object) {
        ComPtr p;
        p.object_ = object;
        return p;
    }
    // Adds a reference of its own.
    static ComPtr share(T* object) {
        if (object) object->AddRef();
        return adopt(object);
    }
    ComPtr(const ComPtr& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (object_) std::exchange(object_, nullptr)->Release();
    }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(object_, nullptr); }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// A thread-safe reference count for implementations.
class RefCounted {
protected:
    ULONG addRef() { return ++count_; }
    // Returns the new count; the caller deletes itself at 0.
    ULONG release() { return --count_; }

private:
    std::atomic<ULONG> count_{1};
};

class IMAPIAdviseSink : public IUnknown {
public:
    virtual ULONG OnNotify(ULONG count, const NOTIFICATION* notifications) = 0;
};

// Reference counting and IUnknown for implementations of messaging interfaces. Other interfaces are
// reached with ComCast; QueryInterface answers IID_IUnknown (and, for sinks,
// IID_IMAPIAdviseSink).
template <class Interface>
class ComObject : public Interface, protected RefCounted {
public:
    HRESULT QueryInterface(const GUID& iid, void** object) override {
        if (!object) return MAPI_E_INVALID_PARAMETER;
        if (iid == IID_IUnknown ||
            (iid == IID_IMAPIAdviseSink && std::is_base_of_v<IMAPIAdviseSink, Interface>)) {
            AddRef();
            *object = static_cast<Interface*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return addRef(); }
    ULONG Release() override {
        const ULONG count = release();
        if (count == 0) delete this;
        return count;
    }
};

// A new object with its creator's reference.
template <class T, class... Args>
ComPtr<T> makeCom(Args&&... args) {
    return ComPtr<T>::adopt(new T(std::forward<Args>(args)...));
}

class IMAPITable : public IUnknown {
public:
    virtual HRESULT Advise(ULONG eventMask, IMAPIAdviseSink* sink, ULONG_PTR& connection) = 0;
    virtual HRESULT Unadvise(ULONG_PTR connection) = 0;
    // Chooses the columns of later rows; an empty set keeps the table's default columns.
    virtual HRESULT SetColumns(const PropTagArray& columns, ULONG flags) = 0;
    virtual HRESULT GetRowCount(ULONG flags, ULONG& count) = 0;
    // Moves to the first row.
    virtual HRESULT SeekRowBeginning() = 0;
    // Up to `rowCount` rows from the current position, which moves past them.
    virtual HRESULT QueryRows(std::int32_t rowCount, ULONG flags, RowSet& rows) = 0;
};

class IMAPIProp : public IUnknown {
public:
    // All properties when `tags` is null; otherwise one value per tag, in order, with a
    // PT_ERROR value for each the object lacks.
    virtual HRESULT GetProps(const PropTagArray* tags, ULONG flags, PropValueArray& values) = 0;
    virtual HRESULT SetProps(const PropValueArray& values) = 0;
    virtual HRESULT DeleteProps(const PropTagArray& tags) = 0;
    virtual HRESULT GetIDsFromNames(const std::vector<MAPINAMEID>& names, ULONG flags,
                                    PropTagArray& tags) = 0;
    virtual HRESULT SaveChanges(ULONG flags) = 0;
};

class IMessage : public IMAPIProp {};
class IMailUser : public IMAPIProp {};

class IMAPIContainer : public IMAPIProp {
public:
    virtual HRESULT GetContentsTable(ULONG flags, ComPtr<IMAPITable>& table) = 0;
    virtual HRESULT OpenEntry(const EntryId& entryId, const GUID* iid, ULONG flags,
                              ULONG& objectType, ComPtr<IUnknown>& object) = 0;
};

class IMAPIFolder : public IMAPIContainer {};
class IDistList : public IMAPIContainer {};

class IMsgStore : public IMAPIProp {
public:
    virtual HRESULT OpenEntry(const EntryId& entryId, const GUID* iid, ULONG flags,
                              ULONG& objectType, ComPtr<IUnknown>& object) = 0;
};

// Address lists are owned values: one entry per recipient, each a property array.
struct ADRENTRY {
    PropValueArray rgPropVals;
};
using ADRLIST = std::vector<ADRENTRY>;

struct ADRPARM {
    ULONG ulFlags = 0;
    std::string lpszCaption;
    std::string lpszNewEntryTitle;
    std::string lpszDestWellsTitle;
    ULONG cDestFields = 0;                     // number of wells; 0 for a pick-one dialog
    ULONG nDestFieldFocus = 0;                 // the well that has the focus first
    std::vector<std::string> lppszDestTitles;  // empty: the default titles
    std::vector<ULONG> lpulDestComps;          // empty: MAPI_TO, MAPI_CC, MAPI_BCC in order
};

class IAddrBook : public IMAPIProp {
public:
    // Shows the address dialog. `list` holds the entries chosen so far and receives the
    // user's choice; MAPI_E_USER_CANCEL leaves it untouched.
    virtual HRESULT Address(ULONG_PTR* uiParam, const ADRPARM& parameters, ADRLIST& list) = 0;
    virtual HRESULT OpenEntry(const EntryId& entryId, const GUID* iid, ULONG flags,
                              ULONG& objectType, ComPtr<IUnknown>& object) = 0;
    // `result` is 1 when both ids name the same entry, else 0.
    virtual HRESULT CompareEntryIDs(const EntryId& first, const EntryId& second, ULONG flags,
                                    ULONG& result) = 0;
};

class IMAPISession : public IUnknown {
public:
    virtual HRESULT OpenAddressBook(ULONG_PTR uiParam, const GUID* iid, ULONG flags,
                                    ComPtr<IAddrBook>& addressBook) = 0;
    virtual HRESULT OpenMsgStore(ULONG_PTR uiParam, const EntryId& storeId, const GUID* iid,
                                 ULONG flags, ComPtr<IMsgStore>& store) = 0;
    virtual HRESULT Logoff(ULONG_PTR uiParam, ULONG flags, ULONG reserved) = 0;
};

// The messaging subsystem's free functions, behind one interface so that the program
// can run against whichever implementation is linked.
class Subsystem {
public:
    virtual ~Subsystem() = default;
    virtual HRESULT MAPIInitialize() = 0;
    virtual void MAPIUninitialize() = 0;
    virtual HRESULT MAPILogonEx(ULONG_PTR uiParam, const char* profileName, const char* password,
                                ULONG flags, ComPtr<IMAPISession>& session) = 0;
    // Wraps `sink` so that its OnNotify runs on the calling thread, through its event loop.
    virtual HRESULT HrThisThreadAdviseSink(IMAPIAdviseSink* sink,
                                           ComPtr<IMAPIAdviseSink>& wrapped) = 0;
};

// Every row of the table with the given columns (all when null); no restriction or sort.
HRESULT HrQueryAllRows(IMAPITable* table, const PropTagArray* columns, ULONG maxRows, RowSet& rows);

// The same object seen through a derived interface, with a reference of its own; empty
// when the object does not implement it.
template <class T>
ComPtr<T> ComCast(const ComPtr<IUnknown>& object) {
    return ComPtr<T>::share(dynamic_cast<T*>(object.get()));
}

}  // namespace mapi
