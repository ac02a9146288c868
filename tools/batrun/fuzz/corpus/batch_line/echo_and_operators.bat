echo.
echo  two  words
echo on
:label
rem a & b
  @ @echo %1 %2 %HOME% 5% %
echo "a & b" ^& c > out | x < y
ren a=b,c;d "e=f"
