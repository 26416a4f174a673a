#!/usr/bin/env bash
# ondrel-texts refuses each malformed table of texts, naming the line, and writes nothing then;
# a good table with a long text and an array gives a header that compiles to the same texts.
#   ondrel-texts-test.sh ONDREL-TEXTS C++-COMPILER INCLUDE-DIR
set -u
tool=$1 cxx=$2 include=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
head='struct ondrel::T of Bilingual'
# One case a line: what it lacks | the table (\n between lines) | what the message says.
while IFS='|' read -r what table says; do
  printf '%b\n' "$table" > "$work/bad.texts"
  rm -f "$work/bad.h"
  if message=$("$tool" "$work/bad.texts" "$work/bad.h" 2>&1) || [ -e "$work/bad.h" ] ||
     [[ "$message" != *"$says"* ]]; then
    echo "FAIL: $what: \"$message\""
    failures=$((failures + 1))
  fi
done <<CASES
no struct line|a\n  fr "x"\n  en "y"|the struct line comes first
an unknown type|struct ondrel::T of QString|type Bilingual or TextPair
no English text|$head\na\n  fr "x"|bad.texts:0: the last entry has no English text
English first|$head\na\n  en "y"|bad.texts:3: expected its fr then en text
a name used twice|$head\na\n  fr "x"\n  en "y"\na\n  fr "x"\n  en "y"|bad.texts:5: the name a is used twice
an open literal|$head\na\n  fr "x\n  en "y"|bad.texts:3: a text is a C string literal
a bare quote|$head\na\n  fr "x"y"\n  en "y"|a text is a C string literal
a stray literal|$head\n"x"|a literal that goes nowhere
a second pair outside an array|$head\na\n  fr "x"\n  en "y"\n  fr "z"|expected a name
CASES
cat > "$work/good.texts" <<'TEXTS'
# A comment.
struct ondrel::GoodTexts of TextPair
object kGood

longText
  fr "un "
     "deux\n"
  en "one \"two\""
list[]
  fr "a"
  en "b"
  fr "c"
  en "d"
TEXTS
cat > "$work/good.cpp" <<'CPP'
#include "good.h"
#include <cstring>
int main() {
    using ondrel::kGood;
    return std::strcmp(kGood.longText.french, "un deux\n") ||
           std::strcmp(kGood.longText.english, "one \"two\"") ||
           sizeof kGood.list / sizeof kGood.list[0] != 2 ||
           std::strcmp(kGood.list[1].english, "d");
}
CPP
if ! "$tool" "$work/good.texts" "$work/good.h" ||
   ! "$cxx" -std=c++20 -I"$include" -I"$work" "$work/good.cpp" -o "$work/good" ||
   ! "$work/good"; then
  echo "FAIL: a good table"
  failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "ondrel-texts: every case passed"
exit "$failures"
