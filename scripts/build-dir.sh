#!/usr/bin/env bash
# Prints the build folder for the given options: build, or build-sanitize with --sanitize.
if [ "${1:-}" = "--sanitize" ]; then echo build-sanitize; else echo build; fi
