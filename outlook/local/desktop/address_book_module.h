#pragma once

// What the desktop module offers for reading the desktop's address book, as plain C: the
// module does not share the program's C++ types. A book belongs to the thread that made it:
// every call but jotwise_address_book_stop comes from that thread. Failures are told as text
// to the error sink (which may be null) and never cross as exceptions.

extern "C" {

struct JotwiseAddressBook;
typedef void (*JotwiseTextSink)(void* context, const char* text);

// A book not connected yet. Makes a GLib main context of the calling thread's own, where the
// book's notifications arrive, and keeps it the thread's default until the book is freed.
typedef JotwiseAddressBook* (*JotwiseAddressBookNew)(void);
// Connects to the address book with this source UID, or the desktop's default one when it is
// empty, and starts hearing of its changes. 1 when connected, else 0.
typedef int (*JotwiseAddressBookConnect)(JotwiseAddressBook* book, const char* source_uid,
                                         JotwiseTextSink error, void* context);
// Every contact of the connected book, one vCard text at a time. 1 when they were all read,
// else 0.
typedef int (*JotwiseAddressBookRead)(JotwiseAddressBook* book, JotwiseTextSink card,
                                      JotwiseTextSink error, void* context);
// Waits up to timeout_ms for the book to change: 1 it changed, 0 it did not (or the book was
// stopped), -1 the connection is lost (the service ended).
typedef int (*JotwiseAddressBookWait)(JotwiseAddressBook* book, int timeout_ms);
// Ends a wait and a connection attempt, and every later one; from any thread.
typedef void (*JotwiseAddressBookStop)(JotwiseAddressBook* book);
typedef void (*JotwiseAddressBookFree)(JotwiseAddressBook* book);

}  // extern "C"

// The names the module exports them by.
#define JOTWISE_ADDRESS_BOOK_NEW "jotwise_address_book_new"
#define JOTWISE_ADDRESS_BOOK_CONNECT "jotwise_address_book_connect"
#define JOTWISE_ADDRESS_BOOK_READ "jotwise_address_book_read"
#define JOTWISE_ADDRESS_BOOK_WAIT "jotwise_address_book_wait"
#define JOTWISE_ADDRESS_BOOK_STOP "jotwise_address_book_stop"
#define JOTWISE_ADDRESS_BOOK_FREE "jotwise_address_book_free"
