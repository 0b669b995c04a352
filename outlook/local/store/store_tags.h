#pragma once

#include "outlook/mapi.h"

// Fixed property tags the local store uses beyond those in outlook/mapi.h.
namespace outlook::local::tags {

using mapi::PropTag;

inline constexpr PropTag PR_IMPORTANCE = 0x00170003;
inline constexpr PropTag PR_RESPONSE_REQUESTED = 0x0063000B;
inline constexpr PropTag PR_CLIENT_SUBMIT_TIME = 0x00390040;  // when a message was sent
inline constexpr PropTag PR_INTERNET_MESSAGE_ID = 0x1035001E;
inline constexpr PropTag PR_MESSAGE_FLAGS = 0x0E070003;
inline constexpr PropTag PR_MESSAGE_SIZE = 0x0E080003;
inline constexpr PropTag PR_HASATTACH = 0x0E1B000B;
inline constexpr PropTag PR_RECORD_KEY = 0x0FF90102;
inline constexpr PropTag PR_CONTENT_COUNT = 0x36020003;
inline constexpr PropTag PR_CONTAINER_CLASS = 0x3613001E;
inline constexpr PropTag PR_FOLDER_TYPE = 0x36010003;
inline constexpr PropTag PR_MDB_PROVIDER = 0x34140102;
inline constexpr PropTag PR_IPM_SUBTREE_ENTRYID = 0x35E00102;
inline constexpr PropTag PR_IPM_OUTBOX_ENTRYID = 0x35E20102;
inline constexpr PropTag PR_IPM_WASTEBASKET_ENTRYID = 0x35E30102;
inline constexpr PropTag PR_IPM_SENTMAIL_ENTRYID = 0x35E40102;
inline constexpr PropTag PR_IPM_INBOX_ENTRYID = 0x35E50102;  // this store's own tag
inline constexpr PropTag PR_IPM_APPOINTMENT_ENTRYID = 0x36D00102;
inline constexpr PropTag PR_IPM_CONTACT_ENTRYID = 0x36D10102;
inline constexpr PropTag PR_IPM_JOURNAL_ENTRYID = 0x36D20102;
inline constexpr PropTag PR_IPM_NOTE_ENTRYID = 0x36D30102;
inline constexpr PropTag PR_IPM_TASK_ENTRYID = 0x36D40102;
inline constexpr PropTag PR_IPM_DRAFTS_ENTRYID = 0x36D70102;
inline constexpr PropTag PR_DEPTH = 0x30050003;
inline constexpr PropTag PR_MEMBER_ENTRYID = 0x0FFF0102;  // members are listed by entry id

// Display types of address book rows.
inline constexpr mapi::ULONG DT_MAILUSER = 0;
inline constexpr mapi::ULONG DT_DISTLIST = 1;

}  // namespace outlook::local::tags
