"""Checks of the reference walk on small objects built here.

    python3 tools/unreached/references_test.py
"""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import references  # noqa: E402

# Built as the unreached-routine tree builds the game: unoptimised, not
# inlined, a section for every routine and every datum.
FLAGS = ["-O0", "-fno-inline", "-ffunction-sections", "-fdata-sections", "-c"]

UNREAD = r"""
struct Item { int type; const void* data; };
template <typename F> const void* AsData(F f) { return reinterpret_cast<const void*>(f); }
void Unread(int) {}
// Filled by the file's static initialiser, read by nothing.
extern const Item UnreadTable[];
const Item UnreadTable[] = {{1, AsData(Unread)}, {0, nullptr}};
"""
READ = r"""
struct Item { int type; const void* data; };
template <typename F> const void* AsData(F f) { return reinterpret_cast<const void*>(f); }
void Read(int) {}
// Filled the same way, and read by main.
extern const Item ReadTable[];
const Item ReadTable[] = {{1, AsData(Read)}, {0, nullptr}};
"""
REGISTERED = r"""
void Register(void (*)(int));
void Hooked(int) {}
// The initialiser hands the routine to a registry, which keeps it.
static const int kRegistered = (Register(Hooked), 1);
"""
MAIN = r"""
struct Item { int type; const void* data; };
extern const Item ReadTable[];
static void (*g_hook)(int);
void Register(void (*hook)(int)) { g_hook = hook; }
int main() {
    if (g_hook) g_hook(1);
    return ReadTable[0].type;
}
"""


class ReferenceWalkTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.objects = []
        for name, text in (("unread", UNREAD), ("read", READ), ("registered", REGISTERED), ("main", MAIN)):
            source = os.path.join(cls.folder.name, name + ".cpp")
            with open(source, "w") as out:
                out.write(text)
            cls.objects.append(source[:-4] + ".o")
            subprocess.run(["g++", *FLAGS, source, "-o", cls.objects[-1]], check=True)
        cls.reached, cls.elf = references.reached_sections(cls.objects)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def is_reached(self, object_name, symbol):
        path = os.path.join(self.folder.name, object_name + ".o")
        return (path, self.elf[path].section_of()[symbol]) in self.reached

    def test_a_routine_only_an_unread_table_names_is_unreached(self):
        self.assertFalse(self.is_reached("unread", "_Z6Unreadi"))

    def test_a_routine_a_read_table_names_is_reached(self):
        self.assertTrue(self.is_reached("read", "_Z4Readi"))

    def test_a_routine_an_initialiser_hands_to_a_routine_is_reached(self):
        self.assertTrue(self.is_reached("registered", "_Z6Hookedi"))

    def test_the_initialiser_and_the_helpers_it_calls_run(self):
        self.assertTrue(self.is_reached("unread", "_Z6AsDataIPFviEEPKvT_"))


if __name__ == "__main__":
    unittest.main()
