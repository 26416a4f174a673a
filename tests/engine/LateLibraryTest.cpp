#include "LateLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace ondrel {
namespace {

// What the programs see when a library they load late is missing or is another version: an
// error naming the library, never a crash; and a present function is the library's own.
TEST(LateLibraryTest, FindsFunctionsOrSaysWhatIsMissing) {
    LateLibrary maths("libm.so.6");
    auto* cosine = maths.function<double(double)>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.5), std::cos(0.5));

    const struct {
        const char* soname;
        const char* function;
        const char* said;
    } missing[] = {
        {"libondrel-none.so.9", "f", "libondrel-none.so.9 cannot be loaded"},
        {"libm.so.6", "ondrel_no_such_function", "has no function ondrel_no_such_function"},
    };
    for (const auto& row : missing) {
        LateLibrary library(row.soname);
        try {
            library.function<void()>(row.function);
            ADD_FAILURE() << row.soname << " " << row.function << " was found";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(row.said), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace ondrel
