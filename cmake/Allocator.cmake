# The memory allocator of every executable.
#
# A list builds thousands of short strings per screen, and freeing the last
# list's strings before building the next is where the C library's allocator
# spends its time (sorting and merging freed blocks). Every executable runs on
# mimalloc instead: linked in, it serves malloc and free for the whole process,
# Qt and the engines' client libraries included, and the benches' engine floor
# runs on it too. Nothing calls it by name, so it is linked even where the
# linker sees no use for it (Debian's compiler links "as needed").
find_package(mimalloc 2.0 REQUIRED)
set(CMAKE_LINK_LIBRARY_USING_VELMORA_ALWAYS
    "LINKER:--push-state,--no-as-needed" "<LINK_ITEM>" "LINKER:--pop-state")
set(CMAKE_LINK_LIBRARY_USING_VELMORA_ALWAYS_SUPPORTED TRUE)
set(VELMORA_ALLOCATOR "$<LINK_LIBRARY:VELMORA_ALWAYS,mimalloc>")
