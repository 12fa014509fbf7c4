// The picker's exchange file: an int32 count and that many 500-byte path records. Each path
// read is then tried as a part file of the batch.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "my_func_cam/sel_more_file.h"
#include "torvane/dialogs/part_files.h"

TORVANE_FUZZ_TARGET(sel_more_file) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/temp/sel_more_file.dat", input);
    std::vector<std::string> paths{"left over"};
    const sel_more_file_result result = MY_read_sel_more_file(MY_SEL_MORE_FILE_PATH, &paths);
    std::int32_t count = -1;
    if (input.size() >= sizeof count) std::memcpy(&count, input.data(), sizeof count);
    const bool whole = count >= 0 && count <= MY_SEL_MORE_FILE_MAX &&
                       input.size() >= sizeof count + static_cast<std::size_t>(count) * MY_SEL_MORE_FILE_RECORD;
    if (result != (whole ? SEL_MORE_FILE_READ : SEL_MORE_FILE_SHORT))
        fuzzsupport::finding("the exchange file was judged wrongly");
    if (result == SEL_MORE_FILE_READ && paths.size() != static_cast<std::size_t>(count))
        fuzzsupport::finding("not every path of the list was read");
    if (result != SEL_MORE_FILE_READ && !paths.empty()) fuzzsupport::finding("a short list left paths");
    for (const std::string &path : paths) {
        if (path.size() >= MY_SEL_MORE_FILE_RECORD) fuzzsupport::finding("a path longer than its record");
        is_batch_part_path(path, "D:\\parts\\shown.prt");
    }
}
