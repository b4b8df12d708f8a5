# Writes the manual page as plain text with CR LF line ends:
#   cmake -DGROFF=groff -DIN=doc/torvex.1 -DOUT=torvex.txt -P man_page_text.cmake
execute_process(COMMAND ${GROFF} -t -man -Tascii -P-cbou ${IN}
                OUTPUT_VARIABLE text RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "groff failed on ${IN}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
