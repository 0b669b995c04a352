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

/* Empties the keyword store. The vocabulary stays. Returns 0. */
SENTEX_API int32_t SENTEX_CALL Prs_ResetParseDll(void);

#ifdef __cplusplus
}
#endif

#endif /* SENTEX_H */
