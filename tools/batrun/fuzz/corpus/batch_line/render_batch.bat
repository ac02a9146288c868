@echo off
ECHO Temporary batch file created by LUMENPASS.DLU, on Mon Dec 07 03:44:57 2026
@echo 1 of 2, 0 percent complete
RAWSMITH /q /p /m C:\out\Cam01.tga
del C:\out\Cam01.tga
@echo -------------------------------------------------------------
pause
