# The user manual's text must come out of the PDF as it was written, so that it can be searched
# and copied: kanji as kanji (not as look-alike radicals) and shortcuts with all their digits.
# Usage: cmake -DPDF=Manual.pdf -P ManualText.cmake
find_program(PDFTOTEXT pdftotext REQUIRED)
execute_process(COMMAND ${PDFTOTEXT} -enc UTF-8 ${PDF} - OUTPUT_VARIABLE text RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pdftotext failed on ${PDF}")
endif()
foreach(expected "Ctrl+F1" "一覧から削除" "起動")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Manual.pdf: \"${expected}\" not found in its text")
  endif()
endforeach()
# U+2F00 KANGXI RADICAL ONE stands in for 一 when glyphs map back wrongly.
string(FIND "${text}" "⼀" radical)
if(NOT radical EQUAL -1)
  message(FATAL_ERROR "Manual.pdf: the Kangxi radical U+2F00 in its text")
endif()
