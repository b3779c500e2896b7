// Local wall-clock time for records and the names of the files the operator saves.
#pragma once

namespace kvor {

// "2026-12-08T09:41:05.123+01:00": local ISO 8601 with milliseconds and the UTC offset.
void LocalTimeISO(char* text, int size);
// "20261208-094105": for default file names.
void LocalTimeFileStamp(char* text, int size);

} // namespace kvor
