#pragma once
// The show on disk: seven files of raw records, "PRSMDATA" with one
// extension per table, in the program folder.
#include <cstddef>
#include <string>
#include <vector>

#include "data/message_line.h"
#include "data/show_data.h"

namespace prismel {

enum class ShowTable { kColours, kScenes, kChases, kCues, kPatch, kFkeys, kGroups };

constexpr int kShowFiles = 7;
constexpr const char* kShowBaseName = "PRSMDATA";
// The fixed order wherever all files are handled together.
constexpr ShowTable kShowTables[kShowFiles] = {ShowTable::kColours, ShowTable::kScenes, ShowTable::kChases,
                                               ShowTable::kCues,    ShowTable::kPatch,  ShowTable::kFkeys,
                                               ShowTable::kGroups};

const char* extension_of(ShowTable t);     // "COL", "SCN", …
std::size_t record_size_of(ShowTable t);   // bytes of one record
int record_count_of(ShowTable t);          // records of the table
std::size_t file_size_of(ShowTable t);     // bytes of the whole file

// folder + "PRSMDATA" + "." + extension; the folder is used as given (the
// program folder is kept with its trailing separator; empty when unset).
std::string show_file_name(const std::string& folder, ShowTable t);

// The table as its file holds it: what is written, compared and kept of a
// table. table_image_into fills file_size_of(t) bytes at out; neither
// allocates but table_image.
void table_image_into(const ShowData& show, ShowTable t, unsigned char* out);
std::vector<unsigned char> table_image(const ShowData& show, ShowTable t);
// Record i (0 to record_count_of(t) - 1) of the table as it lies in its file.
const unsigned char* record_bytes(const ShowData& show, ShowTable t, int i);
// Whether the table holds exactly the image (file_size_of(t) bytes).
bool table_matches_image(const ShowData& show, ShowTable t, const unsigned char* image);
// Puts a whole image back into the table: 1, or 0 (the table untouched) for
// an image of another size. Names are terminated as on reading a file.
int put_table_image(ShowData& show, ShowTable t, const unsigned char* image, std::size_t size);

// Reads the table's file into the table: 1 when the file could be opened,
// whatever its length (a short file fills the leading records up to its end
// and leaves the rest as it was; a longer one is read as far as the table
// reaches), 0 when it could not (the table is untouched). Name fields that
// hold no terminator are terminated in their last byte.
int read_table(ShowData& show, ShowTable t, const std::string& folder);
// Writes the table as its file, durably (platform/durable_file.h): 1 on
// success; 0 when the file could not be written completely, in which case the
// old file is left as it was.
int write_table(const ShowData& show, ShowTable t, const std::string& folder);

// Counts every read, write and put_table_image of the table since the
// program started: whatever keeps something derived from a table (its
// digest) takes it again when the count moved.
unsigned table_generation(ShowTable t);

// All seven in the fixed order; result: the number that failed.
int read_all_tables(ShowData& show, const std::string& folder);
int write_all_tables(const ShowData& show, const std::string& folder);

// A folder path with a trailing separator: '/' or '\' already there count
// (a 0x5C that is the second byte of a Shift-JIS character does not);
// otherwise the platform's separator is appended.
std::string with_trailing_separator(const std::string& folder);

// Copies the seven files from the data folder to `folder`, in the fixed
// order, showing each in the message line (may be null), through the
// installed file system. 7 when all were copied; 0 when any failed, and then
// the folder holds the files it held before (the new files replace the old
// ones only once all seven are copied). An empty folder path is refused.
int save_show_to_folder(const std::string& data_folder, const std::string& folder, MessageLine* line);
// The same from `folder` into the data folder.
int load_show_from_folder(const std::string& data_folder, const std::string& folder, MessageLine* line);


}  // namespace prismel
