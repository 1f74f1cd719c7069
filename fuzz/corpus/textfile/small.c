char *t[] =
{
/* 0 */ "a\n" "b",
/* 1 */ "x, y", // note
#define Z
/* 2 */ "c\"d",
};
