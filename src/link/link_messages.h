// The operator's messages of the terminal link, as the system shows them.
#pragma once

namespace appgen::link::msg {

inline constexpr const char* kError = "Error";
inline constexpr const char* kDownload = "Download";
inline constexpr const char* kUploadData = "Upload Data";

// Opening the port.
inline constexpr const char* kCantOpenPort = "Can't open the COM port!";
inline constexpr const char* kFailedToSetIr = "Failed to set IR device!";
inline constexpr const char* kCommStateError = "Error on setting communication state";
inline constexpr const char* kFailToOpenPort = "Fail to open COM port";
inline constexpr const char* kCantSetIr = "Can't set IR device!";

// Both directions.
inline constexpr const char* kConnectionLost = "The connection to the terminal was lost.";
inline constexpr const char* kStopped = "The transfer was stopped.";
inline constexpr const char* kOutputHeld = "The COM port did not send the data in time.";
inline constexpr const char* kConnecting = "Соединение с терминалом...";

// Download.
inline constexpr const char* kCantOpenFile = "Can't open the file!";
inline constexpr const char* kCantReadFile = "Can't read the file!";
inline constexpr const char* kNotReady = "Terminal is not ready!";
inline constexpr const char* kMemoryFull = "Memory full for Terminal!";
inline constexpr const char* kDownloadError = "Error on downloading!";
inline constexpr const char* kRetryQuestion = "Failed to download, would you like to retry?";
inline constexpr const char* kDownloaded = "Downloaded completely!";
inline constexpr const char* kProgressCaption = "Прогресс";
inline constexpr const char* kProgressText = "Загрузка...";
inline constexpr const char* kLookupFilter = "Lookup data files {*.TXT}";
inline constexpr const char* kAllFilesFilter = "All files {*.*}";
inline constexpr const char* kCsvFilter = "Spreadsheet exports {*.csv}";

// Upload.
inline constexpr const char* kFileCreateFailed = "File open/create failed!";
inline constexpr const char* kTimeOut = "Time out!";
inline constexpr const char* kNoConnection = "Failed to establish connection!";
inline constexpr const char* kNoData = "No data received!";
inline constexpr const char* kDoneFormat = "Done : %d records received.\nView the received data?";
inline constexpr const char* kDataFilter = "Data files {*.TXT}";
inline constexpr const char* kCountFormat = "Data received : %d";
inline constexpr const char* kIncompleteFormat =
    "The transfer did not complete : %d records received.\nView the received data?";
inline constexpr const char* kCantWriteFile = "Can't write the file!";
inline constexpr const char* kCantSaveFile = "Can't save the file!";
inline constexpr const char* kLeftoverFound = "Records of an earlier upload that did not end are kept in";

}  // namespace appgen::link::msg
