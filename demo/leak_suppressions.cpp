// The desktop bus library keeps one block for the life of the process when the
// program runs on a real display; the leak checker of a sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
