@echo off
echo Hello from a Brindlo package.
pause
