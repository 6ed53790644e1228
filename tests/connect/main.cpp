// The add-in and the IDE host need COM on the test thread, as an IDE has it.
#include <gtest/gtest.h>
#include <ole2.h>

int main(int argc, char** argv) {
    if (FAILED(OleInitialize(nullptr))) return 2;
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
