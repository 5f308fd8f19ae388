#!/bin/sh
# A demo target: records its arguments and working directory.
printf '%s\n' "hello from $(pwd)" "$@" >> hello.log
