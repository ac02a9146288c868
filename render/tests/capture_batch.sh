#!/bin/sh
# Stand-in command interpreter for the render utility's tests: "/c FILE" keeps a copy of FILE as
# ran.BAT in the current folder and runs nothing.
[ "$1" = "/c" ] && cp "$2" ran.BAT
