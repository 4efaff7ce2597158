# The two commands for a newcomer; both set up a fresh machine first.
.PHONY: test demo build screenshots fuzz bench
test:
	scripts/test
demo:
	scripts/demo
build:
	scripts/bootstrap && scripts/build
screenshots:
	scripts/bootstrap && scripts/build && scripts/screenshots
fuzz:
	scripts/bootstrap && scripts/fuzz
bench:
	scripts/bench
