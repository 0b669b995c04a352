/*
 * sentex: the phrase parser and keyword store behind Jotwise.
 *
 * A flat C interface. Every function takes NUL-terminated 8-bit (UTF-8) texts that it
 * copies; a null pointer counts as an empty text. Outputs go into caller-owned buffers:
 * 128 bytes per text, 1,034 bytes for a parse result. The library keeps no pointer to
 * a caller's buffer and takes no locks: call it from one thread at a time.
 */
#ifndef SENTEX_H
#define SENTEX_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define SENTEX_CALL __stdcall
#if defined(SENTEX_BUILDING)
#define SENTEX_API __declspec(dllexport)
#else
#define SENTEX_API __declspec(dllimport)
#endif
#else
#define SENTEX_CALL
#define SENTEX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define SENTEX_TEXT_SLOT 128

/* What one parse understood. Texts are NUL-terminated within their 128 bytes. */
#pragma pack(push, 1)
typedef struct TParseResults {
    char list[SENTEX_TEXT_SLOT];      /* list (category) of the keyword found, or "" */
    char project[SENTEX_TEXT_SLOT];   /* project (folder kind) of the keyword, or "" */
    char contact[SENTEX_TEXT_SLOT];   /* contact of the keyword, or "" */
    char recipient[SENTEX_TEXT_SLOT]; /* contact of a keyword with "please"/"fyi", or "" */
    char date[SENTEX_TEXT_SLOT];      /* the date in the locale's short-date order, or "" */
    char startTime[SENTEX_TEXT_SLOT]; /* "h:m", hour 0-23, neither part zero-padded, or "" */
    char endTime[SENTEX_TEXT_SLOT];   /* "h:m" or "" */
    char spare[SENTEX_TEXT_SLOT];     /* always "" */
    uint8_t isRecurring;              /* 1 when a recurrence was recognised */
    uint8_t recurUnit;                /* 1 day, 2 week, 3 month, 4 year; 0 when not recurring */
    uint8_t recurDays;                /* Sunday 1, Monday 2, Tuesday 4 ... Saturday 64 */
    uint8_t recurNth;                 /* n-th weekday of the month (5 = last), else 0 */
    uint8_t recurInterval[4];         /* signed 32-bit little-endian: every n units */
    uint8_t isFyi;                    /* 1 when "fyi" came with the keyword */
    uint8_t reserved;                 /* always 0 */
} TParseResults;
#pragma pack(pop)

#ifdef __cplusplus
#define SENTEX_STATIC_ASSERT static_assert
#else
#define SENTEX_STATIC_ASSERT _Static_assert
#endif
SENTEX_STATIC_ASSERT(sizeof(TParseResults) == 1034, "TParseResults is 1,034 bytes");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, list) == 0, "list at 0");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, project) == 128, "project at 128");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, contact) == 256, "contact at 256");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, recipient) == 384, "recipient at 384");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, date) == 512, "date at 512");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, startTime) == 640, "startTime at 640");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, endTime) == 768, "endTime at 768");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, spare) == 896, "spare at 896");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, isRecurring) == 1024, "isRecurring at 1024");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, recurUnit) == 1025, "recurUnit at 1025");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, recurDays) == 1026, "recurDays at 1026");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, recurNth) == 1027, "recurNth at 1027");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, recurInterval) == 1028, "recurInterval at 1028");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, isFyi) == 1032, "isFyi at 1032");
SENTEX_STATIC_ASSERT(offsetof(TParseResults, reserved) == 1033, "reserved at 1033");

/*
 * Parses a whole note: keywords, date, start and end time, recurrence. `result` points at
 * a buffer of at least 1,034 bytes (a TParseResults) that is filled completely. Returns 0;
 * the value carries no information.
 */
SENTEX_API int32_t SENTEX_CALL Prs_Parse(const char* text, char* result);

/* As Prs_Parse, but dates and times only: the four keyword slots stay empty. */
SENTEX_API int32_t SENTEX_CALL Prs_DateParse(const char* text, char* result);

/* Empties the keyword store: keywords and registered names. The vocabulary stays.
   Returns 0. */
SENTEX_API int32_t SENTEX_CALL Prs_ResetParseDll(void);

/*
 * The keyword store. Keywords ("aliases") name up to three targets: a list, a project
 * and a contact, each of which must be registered first. Keyword texts are kept in
 * canonical form (lowercase words, numbers and marks joined by one blank); names are
 * compared by their key (trimmed, lowercased) and shown as given, trimmed. A text whose
 * stored form would exceed 127 bytes is refused. Functions return 1 when done and 0 when
 * refused; a refusal changes nothing.
 */
SENTEX_API int32_t SENTEX_CALL Prs_AddAlias(const char* alias, const char* list,
                                            const char* project, const char* contact);
SENTEX_API int32_t SENTEX_CALL Prs_DeleteAlias(const char* alias);
SENTEX_API int32_t SENTEX_CALL Prs_RenameAlias(const char* oldAlias, const char* newAlias);

SENTEX_API int32_t SENTEX_CALL Prs_AddList(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_DeleteList(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_RenameList(const char* oldName, const char* newName);
SENTEX_API int32_t SENTEX_CALL Prs_AddProject(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_DeleteProject(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_RenameProject(const char* oldName, const char* newName);
SENTEX_API int32_t SENTEX_CALL Prs_AddContact(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_DeleteContact(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_RenameContact(const char* oldName, const char* newName);

/* 1 when the text may become a new keyword; when it already is one. */
SENTEX_API int32_t SENTEX_CALL Prs_IsValidAlias(const char* text);
SENTEX_API int32_t SENTEX_CALL Prs_IsAlias(const char* text);
/* 1 when the name is registered. */
SENTEX_API int32_t SENTEX_CALL Prs_IsList(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_IsProject(const char* name);
SENTEX_API int32_t SENTEX_CALL Prs_IsContact(const char* name);
/* Writes the canonical form into a 128-byte buffer; 1 when it is not empty. A text whose
   canonical form exceeds 127 bytes (and so can never be a keyword) gives "" and 0. */
SENTEX_API int32_t SENTEX_CALL Prs_FilterAlias(const char* text, char* canonical);

/* Proposes up to two keywords for a name into three 128-byte slots (384 bytes); slots
   without a proposal are "". The returned value carries no information. */
SENTEX_API int32_t SENTEX_CALL Prs_SuggestListAliases(const char* name, char* suggestions);
SENTEX_API int32_t SENTEX_CALL Prs_SuggestProjectAliases(const char* name, char* suggestions);
SENTEX_API int32_t SENTEX_CALL Prs_SuggestContactAliases(const char* firstName,
                                                         const char* lastName,
                                                         const char* otherName, char* suggestions);

/* Completes the beginning of a name: the registered name of that kind that sorts first,
   without regard to letter case, among those beginning with it. 1 when found; else the
   128-byte buffer receives "". */
SENTEX_API int32_t SENTEX_CALL Prs_AutoFillList(const char* beginning, char* name);
SENTEX_API int32_t SENTEX_CALL Prs_AutoFillProject(const char* beginning, char* name);
SENTEX_API int32_t SENTEX_CALL Prs_AutoFillContact(const char* beginning, char* name);

/* Enumerates the keywords with their targets into four 128-byte buffers (null buffers
   are skipped). 1 when a keyword was returned; 0, with the buffers untouched, at the end.
   Any change to the store ends an enumeration: start again with Prs_GetFirstAlias. */
SENTEX_API int32_t SENTEX_CALL Prs_GetFirstAlias(char* alias, char* list, char* project,
                                                 char* contact);
SENTEX_API int32_t SENTEX_CALL Prs_GetNextAlias(char* alias, char* list, char* project,
                                                char* contact);

#ifdef __cplusplus
}
#endif

#endif /* SENTEX_H */
