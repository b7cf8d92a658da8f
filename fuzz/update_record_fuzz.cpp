// The update page parser and the version comparison fed any page text: a
// record read from it has web addresses without the separator and a version
// of digits only, and the comparison is a strict order.
#include <string>

#include "fuzz/fuzz_support.h"
#include "system/update_record.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    const auto record = ParseUpdateRecord(page);
    if (!record) return 0;
    FUZZ_CHECK(page.find("##$$") != std::string_view::npos && page.find("$$##") != std::string_view::npos);
    for (const std::string* url : {&record->dspUrl, &record->mainUrl}) {
        FUZZ_CHECK(url->find("%%%%") == std::string::npos);
        FUZZ_CHECK(url->find("$$##") == std::string::npos);
        FUZZ_CHECK(url->size() > 7);
    }
    FUZZ_CHECK(IsVersionText(record->version));
    FUZZ_CHECK(!VersionBefore(record->version, record->version));
    const std::string_view other = record->dspUrl.size() % 2 ? std::string_view("9") : std::string_view("0012");
    FUZZ_CHECK(!(VersionBefore(record->version, other) && VersionBefore(other, record->version)));
    return 0;
}
