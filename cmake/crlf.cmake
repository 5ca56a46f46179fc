# cmake -DFROM=<text file> -DTO=<file> -P crlf.cmake: copies a text file with Windows
# line ends (CR LF), for Notepad and the installer's licence page.
file(READ ${FROM} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TO} "${text}")
