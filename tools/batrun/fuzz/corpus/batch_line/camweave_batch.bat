ren renders\shot0001.tga "Lobby & Bar.tga"
rawsmith /q "renders\100% (final).tga"
ren shot0004.tga %PATH%.tga
pause
