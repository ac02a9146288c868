ren renders\shot0001.tga Lobby.tga
rawsmith /q renders\Lobby.tga
ren renders\shot0002.tga Atrium.tga
rawsmith /q renders\Atrium.tga
ren renders\shot0003.tga RoofN.tga
rawsmith /q renders\RoofN.tga
ren renders\shot0004.tga RoofS.tga
rawsmith /q renders\RoofS.tga
ren renders\shot0005.tga RoofE.tga
rawsmith /q renders\RoofE.tga
ren renders\shot0006.tga RoofW.tga
rawsmith /q renders\RoofW.tga
ren renders\shot0007.tga RoofU.tga
rawsmith /q renders\RoofU.tga
ren renders\shot0008.tga RoofD.tga
rawsmith /q renders\RoofD.tga
pause
