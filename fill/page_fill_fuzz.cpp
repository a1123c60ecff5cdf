// Fuzz target: any page is read and filled with a full person without a crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fill/fill_test_support.h"
#include "fill/page_fill.h"
#include "page/html_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    static const fill::clsUserInfo person = fill::testing::samplePerson();
    const std::unique_ptr<page::Document> document =
        page::loadHtml(std::string_view(reinterpret_cast<const char*>(data), size));
    const fill::PageFillReport report = fill::readAndFillPage(*document, &person);
    (void)report;
    return 0;
}
