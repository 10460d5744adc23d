// Every executable runs on the program's allocator, for the whole process: a
// link that lost it (or put the C library's in front) would go unnoticed
// except in the lists' times.

#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <mimalloc.h>
#include <string>

TEST(Allocator, MallocNewAndQtsStringsAllComeFromTheProgramsAllocator) {
    char* block = static_cast<char*>(std::malloc(48));
    block[0] = 'x';
    EXPECT_TRUE(mi_is_in_heap_region(block));
    std::free(block);

    const auto object = std::make_unique<std::string>(200, 'x');
    EXPECT_TRUE(mi_is_in_heap_region(object.get()));
    EXPECT_TRUE(mi_is_in_heap_region(object->data()));

    const QString text = QString::fromUtf8("a list cell").repeated(3);
    EXPECT_TRUE(mi_is_in_heap_region(text.constData()));
}
