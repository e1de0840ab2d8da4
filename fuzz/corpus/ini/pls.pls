[playlist]
File1=/a.mp3
File2=b.mp3
NumberOfEntries=2
NextIndex=1
