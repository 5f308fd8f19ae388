#!/bin/sh
# A demo target started by the button that also closes the menu.
date >> goodbye.log
